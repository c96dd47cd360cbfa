// Placeholder until the window is built: it says so and closes.
#include "salaries/Salarii.h"

#include "entry/ComponentContext.h"

namespace vornel {

Salarii::Salarii() : FormWindow(QStringLiteral("Salarii")) {}
Salarii::~Salarii() = default;
void Salarii::Incarca() {
    ComponentContext::current().Afiseaza(QStringLiteral("Fereastra Salarii nu este inca disponibila in aceasta versiune."),
                                         MessageIcon::Information, MessageButtons::Ok, QStringLiteral("Salarii"));
    unload();
}

} // namespace vornel
