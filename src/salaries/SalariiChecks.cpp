// Unsaved changes of a month and group, the question before they are left, and the check of the
// accounts against the chart before they are written.
#include "salaries/Salarii.h"

#include "controls/ChartOfAccounts.h"
#include "controls/EditableGrid.h"
#include "controls/NumericBox.h"
#include "controls/Saving.h"
#include "data/ChangeSet.h"
#include "data/DbError.h"
#include "data/DbFault.h"
#include "entry/ComponentContext.h"
#include "salaries/SalaryStatements.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace vornel {

std::vector<QLineEdit*> Salarii::accountFields() const {
    std::vector<QLineEdit*> fields;
    for (std::size_t i = 0; i < m_txtCh.size(); ++i)
        fields.insert(fields.end(), {m_txtCh[i], m_txtC[i]});
    for (std::size_t i = 0; i < m_txtAch.size(); ++i)
        fields.insert(fields.end(), {m_txtAch[i], m_txtCa[i]});
    fields.push_back(m_txtCD);
    return fields;
}

QStringList Salarii::fieldState() const {
    QStringList state;
    const auto texts = [&state](const auto& boxes) {
        for (const NumericBox* b : boxes)
            state << b->text();
    };
    texts(m_txtX);
    texts(m_txtXa);
    texts(m_txtXd);
    texts(m_txtXAC);
    for (const QLineEdit* f : accountFields())
        state << f->text();
    for (const QCheckBox* c : m_chk)
        state << (c->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    return state;
}

bool Salarii::unsavedChanges() const {
    // A closed month cannot be saved, so there is nothing to lose.
    return m_shownMonth > 0 && m_lblClose->isHidden() && fieldState() != m_loadedState;
}

bool Salarii::settleChanges() {
    if (!unsavedChanges()) return true;
    const int answer = ComponentContext::current().Afiseaza(
        QStringLiteral("Salvati modificarile facute pentru luna curenta?"), MessageIcon::Question,
        MessageButtons::YesNo, windowTitle());
    return answer != MessageResult::Yes || saveShown();
}

void Salarii::choiceChanged() {
    // A bracket row being edited is written (or refused) before another month's table is shown.
    if (m_table && m_grid->editedRow() >= 0) m_grid->commitRow();
    if (!settleChanges()) {
        // The refused month and group stay on screen with everything typed.
        const QSignalBlocker quietMonth(m_cmb);
        const QSignalBlocker quietGroup(m_cmbGrupa);
        m_cmb->setCurrentIndex(m_shownMonth - 1);
        m_cmbGrupa->setCurrentIndex(m_cmbGrupa->findText(m_shownGroup, Qt::MatchFixedString));
        return;
    }
    try {
        IncarcaParametri();
    } catch (const DbError& e) {
        reportDbError(e.description());
    }
}

bool Salarii::saveShown() {
    if (!validate() || !checkAccounts()) return false;
    const std::optional<QString> update = parametersUpdate(collect(), m_shownMonth, m_shownGroup);
    if (!update) {
        message(QStringLiteral("Valoare Incorecta!!"));
        return false;
    }
    // The shown month must still be as loaded; it and every later month of the group that the
    // statement changes are recorded with it.
    auto& connection = *ComponentContext::current().connection;
    const RowSelection months{QStringLiteral("sal_para"),
                              {QStringLiteral("T"), QStringLiteral("GRUPA")},
                              QStringLiteral("T >= ? AND GRUPA = ?"),
                              {m_shownMonth, m_shownGroup}};
    try {
        ChangeSet(connection, auditContext(windowTitle()))
            .add(RowChange::overRows(months, *update, shownRow(), m_loadedRow))
            .apply();
    } catch (const DbError& e) {
        // Nothing was written: the fields keep what was typed.
        reportSaveError(e);
        if (faultOf(e) == DbFault::RowChanged) m_loadedRow = storedRow(shownRow());
        return false;
    }
    m_loadedRow = storedRow(shownRow());
    m_loadedState = fieldState();
    return true;
}

bool Salarii::checkAccounts() {
    const std::vector<QLineEdit*> fields = accountFields();
    QStringList accounts;
    for (const QLineEdit* f : fields)
        accounts << f->text();
    std::optional<int> missing;
    try {
        missing = Chart::firstMissing(*ComponentContext::current().connection, accounts);
    } catch (const DbError& e) {
        reportSaveError(e);
        return false;
    }
    if (!missing) return true;
    QLineEdit* field = fields[static_cast<std::size_t>(*missing)];
    message(Chart::missingMessage(field->text()));
    // Employer rows come first (two fields each), then the employee rows, then the tax account.
    const auto employer = static_cast<int>(2 * m_txtCh.size());
    const auto employee = static_cast<int>(2 * m_txtAch.size());
    showOnly(m_f[*missing < employer ? 0 : *missing < employer + employee ? 1 : 2]);
    field->setFocus(Qt::OtherFocusReason);
    return false;
}

} // namespace vornel
