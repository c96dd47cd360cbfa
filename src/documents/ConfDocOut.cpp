// Placeholder until the window is built: it says so and closes.
#include "documents/ConfDocOut.h"

#include "entry/ComponentContext.h"

namespace vornel {

ConfDocOut::ConfDocOut() : FormWindow(QStringLiteral("ConfDocOut")) {}
ConfDocOut::~ConfDocOut() = default;
void ConfDocOut::Incarca() {
    ComponentContext::current().Afiseaza(QStringLiteral("Fereastra Documente de iesire nu este inca disponibila in aceasta versiune."),
                                         MessageIcon::Information, MessageButtons::Ok, QStringLiteral("Documente de iesire"));
    unload();
}

} // namespace vornel
