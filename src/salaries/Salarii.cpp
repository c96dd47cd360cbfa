// The salary window: loading, pages, keyboard movement, account lookups and closing.
#include "salaries/Salarii.h"

#include "catalogs/Chooser.h"
#include "controls/ChartOfAccounts.h"
#include "controls/EditableGrid.h"
#include "controls/KeyFilter.h"
#include "controls/Look.h"
#include "controls/NumericBox.h"
#include "controls/Saving.h"
#include "controls/TextLimit.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "entry/ComponentContext.h"
#include "history/IstoricModificari.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

namespace vornel {

namespace {

const char* const kMonths[] = {"Ianuarie", "Februarie", "Martie",     "Aprilie",   "Mai",       "Iunie",
                               "Iulie",    "August",    "Septembrie", "Octombrie", "Noiembrie", "Decembrie"};

bool isForward(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_Tab) return !(modifiers & Qt::ShiftModifier);
    return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Right || key == Qt::Key_Down;
}

bool isBackward(int key, Qt::KeyboardModifiers modifiers) {
    return key == Qt::Key_Backtab || (key == Qt::Key_Tab && (modifiers & Qt::ShiftModifier)) ||
           key == Qt::Key_Left || key == Qt::Key_Up;
}

template <std::size_t N, class T> int indexIn(const std::array<T*, N>& fields, const QObject* w) {
    for (std::size_t i = 0; i < N; ++i)
        if (fields[i] == w) return static_cast<int>(i);
    return -1;
}

} // namespace

Salarii::Salarii() : FormWindow(QStringLiteral("Salarii")) {
    buildUi();
}

Salarii::~Salarii() {
    // The grid's model must not outlive the recordset it reads.
    if (m_grid) m_grid->bind(nullptr);
}

void Salarii::attachFields() {
    for (const char* name : kMonths)
        m_cmb->addItem(QString::fromLatin1(name));
    m_cmb->setCurrentIndex(-1);
    connect(m_cmb, &QComboBox::currentIndexChanged, this, guarded([this] { choiceChanged(); }));
    connect(m_cmbGrupa, &QComboBox::currentIndexChanged, this, guarded([this] { choiceChanged(); }));

    // Numeric boxes take digits, a sign and the decimal separators only.
    const KeyFilter::Rule numeric = [](QChar typed) {
        return typed.unicode() < 32 || typed.isDigit() || typed == u'.' || typed == u',' || typed == u'-';
    };
    auto watchNumbers = [&](auto& boxes) {
        for (NumericBox* box : boxes) {
            KeyFilter::attach(box, numeric);
            box->installEventFilter(this);
        }
    };
    watchNumbers(m_txtX);
    watchNumbers(m_txtXa);
    watchNumbers(m_txtXd);
    watchNumbers(m_txtXAC);

    auto watchAccount = [this](QLineEdit* field) {
        TextLimit::attach(field, 20);
        field->installEventFilter(this);
        connect(field, &QLineEdit::textChanged, this, [this, field] {
            if (!m_loading) setMarked(field, true);
        });
    };
    for (QLineEdit* f : m_txtCh)
        watchAccount(f);
    for (QLineEdit* f : m_txtC)
        watchAccount(f);
    for (QLineEdit* f : m_txtAch)
        watchAccount(f);
    for (QLineEdit* f : m_txtCa)
        watchAccount(f);
    watchAccount(m_txtCD);

    for (int i = 0; i < 7; ++i)
        connect(m_cmd[i], &QPushButton::clicked, this, guarded([this, i] { selectPage(i); }));
    for (int i = 0; i < 5; ++i)
        connect(m_cmdG[i], &QPushButton::clicked, this, guarded([this, i] { onGroupButton(i); }));
    connect(m_cmdAction[0], &QPushButton::clicked, this, guarded([this] { accepta(); }));
    connect(m_cmdAction[1], &QPushButton::clicked, this, guarded([this] { renunta(); }));
    connect(m_grid, &EditableGrid::writeFailed, this,
            guarded<const QString&, int>([this](const QString& text, int icon) {
                ComponentContext::current().Afiseaza(text, icon, MessageButtons::Ok, windowTitle());
            }));

    for (QPushButton* b : m_cmd)
        Look::setForeColour(b, Look::kOtherPage);
    showOnly(m_f[0]);
}

void Salarii::Incarca() {
    load([&] {
        Look::setForeColour(m_cmd[0], Look::kChosenPage);
        try {
            // Account fields take a whole account of the chart, whatever its length.
            const int length = Chart::accountLength(*ComponentContext::current().connection);
            for (QLineEdit* f : accountFields())
                TextLimit::attach(f, length);
            IncarcaGrupe();
            m_cmb->setCurrentIndex(0);
            IncarcaParametri();
        } catch (const DbError& e) {
            reportDbError(e.description());
        }
        adjustSize();
        centre();
        show();
        raise();
        activateWindow();
    });
}

int Salarii::month() const {
    return m_cmb->currentIndex() < 0 ? 0 : m_cmb->currentIndex() + 1;
}

QString Salarii::group() const {
    return m_cmbGrupa->currentText();
}

void Salarii::showOnly(QGroupBox* page) {
    for (QGroupBox* p : m_f)
        if (p != page) p->setHidden(true);
    page->setHidden(false);
}

void Salarii::selectPage(int index) {
    for (QPushButton* b : m_cmd)
        Look::setForeColour(b, Look::kOtherPage);
    Look::setForeColour(m_cmd[index], Look::kChosenPage);
    for (QGroupBox* p : m_f)
        p->setHidden(true);
    if (index < 4) {
        m_f[index]->setHidden(false);
        return;
    }
    m_f[4]->setTitle(m_cmd[index]->text());
    m_f[4]->setHidden(false);
    // Buttons 4, 5 and 6 show the seniority, monthly and annual tables.
    static const int tips[] = {2, 0, 1};
    try {
        bindTable(tips[index - 4]);
    } catch (const DbError& e) {
        reportDbError(e.description());
    }
}

bool Salarii::accountChanged(const QLineEdit* field) const {
    return field->property("DataChanged").toBool();
}

void Salarii::setMarked(QLineEdit* field, bool marked) {
    field->setProperty("DataChanged", marked);
}

bool Salarii::filterEvent(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (moveFocus(widget, key->key(), key->modifiers())) return true;
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))
            if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && enterAccount(edit)) return true;
    }
    return FormWindow::filterEvent(watched, event);
}

bool Salarii::moveFocus(QWidget* field, int key, Qt::KeyboardModifiers modifiers) {
    const bool forward = isForward(key, modifiers);
    const bool backward = !forward && isBackward(key, modifiers);
    if (!forward && !backward) return false;
    QWidget* next = nullptr;
    if (int i = indexIn(m_txtX, field); i >= 0) {
        next = forward ? m_txtCh[i] : (i == 0 ? m_txtCh[1] : m_txtC[i - 1]);
    } else if (int a = indexIn(m_txtXa, field); a >= 0) {
        next = forward ? m_txtAch[a] : (a == 0 ? m_txtAch[1] : m_txtCa[a - 1]);
    } else if (int d = indexIn(m_txtXd, field); d >= 0) {
        if (forward)
            next = d == 11 ? static_cast<QWidget*>(m_txtCD) : m_txtXd[d + 1];
        else
            next = m_txtXd[d == 0 ? 11 : d - 1];
    } else if (int c = indexIn(m_txtXAC, field); c >= 0) {
        next = m_txtXAC[forward ? (c + 1) % 9 : (c + 8) % 9];
    } else {
        return false;
    }
    next->setFocus(Qt::OtherFocusReason);
    return true;
}

bool Salarii::enterAccount(QLineEdit* field) {
    const char* prompt = nullptr;
    if (indexIn(m_txtCh, field) >= 0)
        prompt = "Alegeti contul pentru > Cont Cheltuieli <";
    else if (indexIn(m_txtC, field) >= 0)
        prompt = "Alegeti contul pentru > Cont cl 4 <";
    else if (indexIn(m_txtAch, field) >= 0)
        prompt = "Alegeti contul pentru > Cont cheltuieli angajati <";
    else if (indexIn(m_txtCa, field) >= 0)
        prompt = "Alegeti contul pentru > Cont cl 4 angajati <";
    else if (field == m_txtCD)
        prompt = "Alegeti contul pentru > Impozit salarii <";
    if (!prompt) return false;
    if (!accountChanged(field)) return true;
    Lookup accounts;
    accounts.title = QString::fromLatin1(prompt);
    QPointer<QLineEdit> guard(field);
    const std::optional<QString> code = Chooser::pick(accounts, field->text());
    if (!guard) return true;
    if (code && !unloaded()) field->setText(*code);
    setMarked(field, false);
    return true;
}

void Salarii::message(const QString& text) const {
    ComponentContext::current().Afiseaza(text, MessageIcon::Error, MessageButtons::Ok, windowTitle());
}

void Salarii::reportDbError(const QString& description) const {
    message(description);
}

void Salarii::reportSaveError(const DbError& error, const QString& ownText) const {
    showSaveError(error, windowTitle(), ownText);
}

RowKey Salarii::shownRow() const {
    return {QStringLiteral("sal_para"),
            {{QStringLiteral("T"), m_shownMonth}, {QStringLiteral("GRUPA"), m_shownGroup}}};
}

void Salarii::showHistory() {
    if (m_shownMonth == 0) return;
    const RowKey row = shownRow();
    vornel::showHistory(windowTitle(), row.table, row.text());
}

void Salarii::renunta() {
    if (!VerificaTabele()) return;
    hide();
    ComponentContext::current().InchideTot();
}

bool Salarii::queryUnload(bool byCode) {
    // The close box closes the whole component; an unload by code is part of that already.
    if (!byCode) ComponentContext::current().InchideTot();
    return true;
}

void Salarii::onUnload() {
    if (m_grid) m_grid->bind(nullptr);
    m_table.reset();
    m_tableTip = -1;
}

} // namespace vornel
