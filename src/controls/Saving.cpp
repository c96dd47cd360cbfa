#include "controls/Saving.h"

#include "data/DbError.h"
#include "data/DbFault.h"
#include "entry/ComponentContext.h"

namespace vornel {

AuditContext auditContext(const QString& caption) {
    const auto& context = ComponentContext::current();
    return {context.idUsers, context.idSoc, caption};
}

SaveFailure saveFailure(const DbError& error, const QString& ownText) {
    QString text = faultText(error);
    if (text.isEmpty()) text = ownText.isEmpty() ? error.description() : ownText;
    return {text, faultOf(error) == DbFault::RowChanged ? MessageIcon::Warning : MessageIcon::Error};
}

std::optional<RowSnapshot> storedRow(const RowKey& key) {
    try {
        return RowSnapshot::read(*ComponentContext::current().connection, key);
    } catch (const DbError&) {
        return std::nullopt;
    }
}

void showSaveError(const DbError& error, const QString& title, const QString& ownText) {
    const SaveFailure failure = saveFailure(error, ownText);
    ComponentContext::current().Afiseaza(failure.text, failure.icon, MessageButtons::Ok, title);
}

} // namespace vornel
