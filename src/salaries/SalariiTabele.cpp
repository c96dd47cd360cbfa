// The bracket tables of a month (monthly and annual income tax, seniority bonus): edited in place
// in the grid, checked before each row is written and again when the window closes.
#include "salaries/Salarii.h"

#include "controls/EditableGrid.h"
#include "controls/Saving.h"
#include "data/DbError.h"
#include "data/Recordset.h"
#include "entry/ComponentContext.h"
#include "salaries/SalaryStatements.h"

#include <QGroupBox>

namespace vornel {

namespace {

const QString kWrongData = QStringLiteral("Date Eronate");

enum Tip { MonthlyTax = 0, AnnualTax = 1, Seniority = 2 };

// The page button of each table.
int pageOf(int tip) {
    return tip == Seniority ? 4 : (tip == MonthlyTax ? 5 : 6);
}

const char* const kValueColumns[] = {"DELA", "PANALA", "CONST", "PR"};

} // namespace

void Salarii::bindTable(int tip) {
    m_grid->bind(nullptr);
    m_tableTip = tip;
    auto table = std::make_unique<Recordset>();
    table->open(bracketQuery(month(), tip), ComponentContext::current().connection, CursorLocation::Client,
                CursorType::Dynamic, LockType::Optimistic);
    table->auditWrites(auditContext(windowTitle()));
    m_table = std::move(table);
    m_grid->bind(m_table.get());

    // Only the bracket columns are shown.
    for (int c = 0; c < m_table->fieldCount(); ++c)
        m_grid->setColumnVisible(c, false);
    struct Shown {
        const char* column;
        const char* caption;
        int width;
        const char* format;
    };
    const Shown tax[] = {{"DELA", "De La", 1900, "#,##0.00"},
                         {"PANALA", "Pana La", 1900, "#,##0.00"},
                         {"CONST", "Valoare Fixa", 1700, "#,##0.00"},
                         {"PR", "Procent", 1000, "#,##0.00"}};
    const Shown seniority[] = {{"DELA", "De La", 1900, "#,##0 Ani"},
                               {"PANALA", "Pana La", 1900, "#,##0 Ani"},
                               {"PR", "Procent", 1000, "#,##0.00"}};
    auto show = [this](const Shown& s) {
        const int c = m_table->indexOf(QString::fromLatin1(s.column));
        if (c < 0) return;
        m_grid->setColumnCaption(c, QString::fromLatin1(s.caption));
        m_grid->setColumnWidth(c, s.width);
        m_grid->setColumnFormat(c, QString::fromLatin1(s.format));
        m_grid->setColumnVisible(c, true);
    };
    if (tip == Seniority)
        for (const Shown& s : seniority)
            show(s);
    else
        for (const Shown& s : tax)
            show(s);

    const int forMonth = month();
    m_grid->setBeforeUpdate([this, tip, forMonth](int) {
        // A check that cannot run refuses the row.
        bool right = false;
        guard([&] { right = bracketRowRight(tip, forMonth); });
        return right;
    });
}

bool Salarii::bracketRowRight(int tip, int forMonth) {
    Recordset* rs = m_table.get();
    if (rs && rs->adding()) {
        // A new bracket belongs to the table and month shown; the seniority table has no fixed amount.
        rs->setValue(QStringLiteral("T"), forMonth);
        rs->setValue(QStringLiteral("TIP"), tip);
        const int fixed = rs->indexOf(QStringLiteral("CONST"));
        if (tip == Seniority && fixed >= 0 && m_grid->pendingValue(fixed).isNull()) rs->setValue(fixed, 0);
    }
    for (const char* name : kValueColumns) {
        const int c = rs ? rs->indexOf(QString::fromLatin1(name)) : -1;
        if (c < 0) continue;
        const std::optional<double> value = bracketValue(m_grid->pendingValue(c));
        if (!value) {
            ComponentContext::current().Afiseaza(QStringLiteral("Valoare Invalida! "), MessageIcon::Error,
                                                 MessageButtons::Ok, kWrongData);
            return false;
        }
        if (*value < 0) {
            message(QStringLiteral("Valoare Incorecta!!"));
            return false;
        }
    }
    return true;
}

bool Salarii::checkTable(int tip) {
    Recordset rs;
    rs.open(bracketQuery(month(), tip), ComponentContext::current().connection, CursorLocation::Client,
            CursorType::Static, LockType::ReadOnly);
    std::vector<Bracket> rows;
    const int from = rs.indexOf(QStringLiteral("DELA"));
    const int to = rs.indexOf(QStringLiteral("PANALA"));
    const int fixed = rs.indexOf(QStringLiteral("CONST"));
    const int rate = rs.indexOf(QStringLiteral("PR"));
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        rows.push_back({rs.value(from).toDouble(), rs.value(to).toDouble(), rs.value(fixed).toDouble(),
                        rs.value(rate).toDouble()});
    rs.close();
    return tip == Seniority ? seniorityTableRight(rows) : taxTableRight(rows);
}

bool Salarii::VerificaTabele() {
    if (month() == 0) return true;
    try {
        // A change still pending in the grid is written (or refused) before the tables are read.
        if (m_table && m_table->isOpen() && m_grid->editedRow() >= 0) m_grid->commitRow();
        for (int tip : {AnnualTax, MonthlyTax, Seniority}) {
            if (checkTable(tip)) continue;
            ComponentContext::current().Afiseaza(tip == Seniority ? QStringLiteral("Spor Vechime Gresit !!")
                                                                  : QStringLiteral("Impozitul Gresit !!"),
                                                 MessageIcon::Error, MessageButtons::Ok, kWrongData);
            selectPage(pageOf(tip));
            return false;
        }
    } catch (const DbError& e) {
        reportDbError(e.description());
        return false;
    }
    return true;
}

} // namespace vornel
