// The product type editor's save: the accounts the category needs, the code not taken yet, and
// one INSERT or UPDATE.
#include "editors/TipuriProdus.h"

#include "data/DbError.h"
#include "editors/ProductTypeStatements.h"
#include "entry/ComponentContext.h"

#include <QComboBox>
#include <QLineEdit>

namespace vornel {

bool TipuriProdus::SalveazaTip() {
    if (m_reading) return false;
    using namespace ProductType;
    const int category = m_cmbFel->currentIndex();
    QLineEdit* missing = nullptr;
    switch (missingAccount(category, m_stock, m_expense, m_revenue)) {
    case Missing::Expense:
        missing = m_txtCh;
        break;
    case Missing::Revenue:
        missing = m_txtV;
        break;
    case Missing::Stock:
        missing = m_txtStoc;
        break;
    case Missing::None:
        break;
    }
    if (missing) {
        message(QStringLiteral("Cont inexistent!!"));
        missing->setFocus(Qt::OtherFocusReason);
        return false;
    }

    const Input in{m_mode,    m_loadedCode, m_txtTipProdus->text(), category, m_txtDescriere->text(), m_stock,
                   m_expense, m_revenue};
    const QString statement = saveStatement(in);
    if (statement.isEmpty()) return false; // no category selected: nothing to write
    auto& ctx = ComponentContext::current();
    try {
        if (needsCountQuery(in) && ctx.connection->scalar(countQuery(in.code)).toInt() == 1) {
            message(QStringLiteral("Cod deja existent !!"));
            m_txtTipProdus->setFocus(Qt::OtherFocusReason);
            m_txtTipProdus->selectAll();
            return false;
        }
        ctx.connection->execute(statement);
    } catch (const DbError& error) {
        // Nothing was written: the window stays open with everything entered.
        message(error.description());
        return false;
    }
    if (m_list) emit saved();
    unload();
    return true;
}

} // namespace vornel
