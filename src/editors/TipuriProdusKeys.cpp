// The product type editor's keyboard: forward and backward movement between the fields, the
// required code and description, the account fields that open the chooser until an account is
// picked, and Esc that asks to leave.
#include "editors/TipuriProdus.h"

#include "catalogs/Chooser.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace vornel {

namespace {

const QString kRequired = QStringLiteral("Camp obligatoriu!!");

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

bool TipuriProdus::filterEvent(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* field = qobject_cast<QWidget*>(watched);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            IesireTip();
            return true;
        }
        if (field && !qobject_cast<QPushButton*>(field) && handleKey(field, key)) return true;
    }
    return FormWindow::filterEvent(watched, event);
}

bool TipuriProdus::handleKey(QWidget* field, int key) {
    if (field == m_cmbFel) return comboKey(key);
    auto* edit = qobject_cast<QLineEdit*>(field);
    if (!edit) return false;
    // The caret stands at the start of a selection.
    const int caret = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const bool atEnd = caret == edit->text().size();
    const bool atStart = caret == 0;
    if (key == Qt::Key_Tab || isEnter(key) || key == Qt::Key_Down || (key == Qt::Key_Right && atEnd))
        return forward(field, key);
    if (key == Qt::Key_Up || key == Qt::Key_Backtab || (key == Qt::Key_Left && atStart))
        return backward(field);
    return false;
}

bool TipuriProdus::comboKey(int key) {
    const bool modify = m_mode == EditMode::Modify;
    const int index = m_cmbFel->currentIndex();
    if (key == Qt::Key_Tab || isEnter(key)) {
        goTo(m_txtDescriere);
    } else if (key == Qt::Key_Down) {
        if (modify || index >= m_cmbFel->count() - 1)
            goTo(m_txtDescriere);
        else
            m_cmbFel->setCurrentIndex(index + 1); // the category change shows its accounts
    } else if (key == Qt::Key_Up || key == Qt::Key_Backtab) {
        if (modify || index <= 0 || key == Qt::Key_Backtab)
            goTo(m_txtTipProdus);
        else
            m_cmbFel->setCurrentIndex(index - 1);
    }
    return true; // the category is only ever chosen from the list
}

bool TipuriProdus::forward(QWidget* field, int) {
    if (field == m_txtTipProdus) {
        if (m_txtTipProdus->text().trimmed().isEmpty())
            message(kRequired);
        else
            goTo(m_cmbFel);
    } else if (field == m_txtDescriere) {
        if (m_txtDescriere->text().trimmed().isEmpty())
            message(kRequired);
        else
            goTo(m_txtCh->isHidden() ? static_cast<QWidget*>(m_cmdAction[0]) : m_txtCh);
    } else if (field == m_txtCh) {
        accountForward(m_txtCh, m_expense, QStringLiteral("Conturi de cheltuieli - Tipuri produse"),
                       {m_txtV, m_txtStoc, m_cmdAction[0]});
    } else if (field == m_txtV) {
        accountForward(m_txtV, m_revenue, QStringLiteral("Conturi de venituri - Tipuri produse"),
                       {m_txtStoc, m_cmdAction[0]});
    } else if (field == m_txtStoc) {
        accountForward(m_txtStoc, m_stock, QStringLiteral("Conturi de stocuri - Tipuri produse"),
                       {m_cmdAction[0]});
    }
    return true;
}

void TipuriProdus::accountForward(QLineEdit* field, QString& validated, const QString& title,
                                  std::initializer_list<QWidget*> next) {
    if (validated.isEmpty() && !m_reading) {
        // Even a valid account typed by hand has to be picked in the chooser.
        QPointer<QLineEdit> guard(field);
        Lookup accounts;
        accounts.title = title;
        const std::optional<QString> code = Chooser::pick(accounts, field->text());
        if (!guard) return;
        if (code && !unloaded()) {
            field->setText(*code);
            validated = *code; // picked, so it holds until the field is edited
        }
        guard->setFocus(Qt::OtherFocusReason);
        return;
    }
    for (QWidget* candidate : next)
        if (!candidate->isHidden()) {
            goTo(candidate);
            return;
        }
}

bool TipuriProdus::backward(QWidget* field) {
    if (field == m_txtDescriere)
        goTo(m_cmbFel);
    else if (field == m_txtCh)
        goTo(m_txtDescriere);
    else if (field == m_txtV)
        goTo(m_txtCh);
    else if (field == m_txtStoc)
        goTo(m_txtV->isHidden() ? m_txtCh : m_txtV);
    return true; // nothing comes before the code
}

void TipuriProdus::goTo(QWidget* field) {
    field->setFocus(Qt::TabFocusReason);
}

} // namespace vornel
