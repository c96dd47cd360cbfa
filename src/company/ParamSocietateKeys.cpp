// Key filters and the movement among the fields with the arrow keys.
#include "company/ParamSocietate.h"

#include "controls/FlexGrid.h"
#include "controls/KeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace vornel {

void ParamSocietate::attachKeys() {
    const KeyFilter::Rule plain = KeyFilter::rejecting(QStringLiteral("';%,\"]["));
    for (QLineEdit* field : {m_txtAdresa, m_txtBanca, m_txtCodFiscal, m_txtContBanca, m_txtExercitiu,
                             m_txtJudet, m_txtNrInm, m_txtOras})
        KeyFilter::attach(field, plain);
    for (QLineEdit* phone : m_txtTelefon)
        KeyFilter::attach(phone, plain);

    QLineEdit* const* t = m_txtTelefon.data();
    const int L = Qt::Key_Left, U = Qt::Key_Up, R = Qt::Key_Right, D = Qt::Key_Down;
    m_arrows = {
        {m_txtNrInm, {{R, m_txtCodFiscal}, {D, m_txtBanca}}},
        {m_txtCodFiscal, {{L, m_txtNrInm}, {D, m_txtContBanca}}},
        {m_txtBanca, {{U, m_txtNrInm}, {R, m_txtContBanca}, {D, m_txtAdresa}}},
        {m_txtContBanca, {{L, m_txtBanca}, {U, m_txtCodFiscal}, {D, m_txtAdresa}}},
        {m_txtAdresa, {{U, m_txtBanca}, {D, t[0]}}},
        {t[0], {{U, m_txtAdresa}, {R, t[1]}, {D, t[2]}}},
        {t[1], {{L, t[0]}, {U, m_txtAdresa}, {R, m_txtCafea}, {D, t[3]}}},
        {t[2], {{U, t[0]}, {R, t[3]}, {D, m_txtOras}}},
        {t[3], {{L, t[2]}, {U, t[1]}, {R, m_txtAlcool}, {D, m_txtJudet}}},
        {m_txtCafea, {{L, t[1]}, {D, m_txtAlcool}}},
        {m_txtAlcool, {{L, t[3]}, {U, m_txtCafea}, {D, m_txtTigari}}},
        {m_txtOras, {{U, t[2]}, {R, m_txtJudet}, {D, m_grid}}},
        {m_txtJudet, {{L, m_txtOras}, {U, t[3]}, {R, m_txtTigari}, {D, m_grid}}},
        {m_txtTigari, {{L, m_txtJudet}, {U, m_txtAlcool}, {D, m_grid}}},
    };
    for (const auto& entry : m_arrows)
        entry.first->installEventFilter(this);
    m_grid->installEventFilter(this);
    for (QPushButton* button : m_cmdAction)
        button->installEventFilter(this);
    m_cmdIstoric->installEventFilter(this);
}

bool ParamSocietate::moveByArrow(QWidget* field, int key) {
    if (qobject_cast<QPushButton*>(field)) { // only the buttons under the grid are watched
        if (key != Qt::Key_Up) return false;
        m_grid->setFocus(Qt::OtherFocusReason);
        return true;
    }
    const auto found = m_arrows.find(field);
    if (found == m_arrows.end()) return false;
    const auto target = found->second.find(key);
    if (target == found->second.end()) return false;
    target->second->setFocus(Qt::OtherFocusReason);
    return true;
}

bool ParamSocietate::gridArrow(int key) {
    // Up from the first row leaves the grid upwards, Down from the last row goes to "Accepta".
    if (key == Qt::Key_Up && m_grid->Row() <= 1) {
        m_txtTigari->setFocus(Qt::OtherFocusReason);
        return true;
    }
    if (key == Qt::Key_Down && m_grid->Row() >= m_grid->Rows() - 1) {
        m_cmdAction[0]->setFocus(Qt::OtherFocusReason);
        return true;
    }
    return false;
}

bool ParamSocietate::filterEvent(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down) {
            if (watched == m_grid) return gridArrow(key);
            if (auto* widget = qobject_cast<QWidget*>(watched)) return moveByArrow(widget, key);
        }
    }
    return FormWindow::filterEvent(watched, event);
}

} // namespace vornel
