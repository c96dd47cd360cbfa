// The product type editor's save: the code and description, the accounts the category needs, the
// code not taken yet, and one INSERT or UPDATE with its audit row, only while the record is stored
// as it was loaded.
#include "editors/TipuriProdus.h"

#include "controls/Saving.h"
#include "data/ChangeSet.h"
#include "data/DbError.h"
#include "data/DbFault.h"
#include "editors/ProductTypeStatements.h"
#include "entry/ComponentContext.h"

#include <QComboBox>
#include <QLineEdit>

namespace vornel {

bool TipuriProdus::SalveazaTip() {
    if (m_reading) return false;
    using namespace ProductType;
    for (QLineEdit* required : {m_txtTipProdus, m_txtDescriere})
        if (required->text().trimmed().isEmpty()) {
            message(QStringLiteral("Camp obligatoriu!!"));
            required->setFocus(Qt::OtherFocusReason);
            return false;
        }
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
        const RowKey saved{QStringLiteral("TipuriProduse"), {{QStringLiteral("Tip Produs"), savedCode(in)}}};
        RowChange change = m_mode == EditMode::Modify ? RowChange::modifying(m_loadedKey, statement, m_loaded)
                                                      : RowChange::adding(saved, statement);
        if (m_mode == EditMode::Modify) change.keyAfter = saved;
        ChangeSet(*ctx.connection, auditContext(windowTitle())).add(std::move(change)).apply();
    } catch (const DbError& error) {
        // Nothing was written: the window stays open with everything entered.
        showSaveError(error, windowTitle());
        if (faultOf(error) == DbFault::RowChanged) {
            // Saving again writes over the other user's change knowingly.
            m_loaded = storedRow(m_loadedKey);
            if (m_list) emit recordChanged();
        }
        return false;
    }
    if (m_list) emit saved({{0, savedCode(in)}});
    unload();
    return true;
}

} // namespace vornel
