#include "controls/Saving.h"

#include "data/DbError.h"
#include "data/DbFault.h"
#include "entry/ComponentContext.h"

namespace vornel {

AuditContext auditContext(const QString& caption) {
    const auto& context = ComponentContext::current();
    return {context.idUsers, context.idSoc, caption};
}

void showSaveError(const DbError& error, const QString& title, const QString& ownText) {
    const DbFault fault = faultOf(error);
    QString text = faultText(error);
    if (text.isEmpty()) text = ownText.isEmpty() ? error.description() : ownText;
    ComponentContext::current().Afiseaza(
        text, fault == DbFault::RowChanged ? MessageIcon::Warning : MessageIcon::Error, MessageButtons::Ok,
        title);
}

} // namespace vornel
