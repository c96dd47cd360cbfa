// Placeholder until the window is built: it says so and closes.
#include "company/ParamSocietate.h"

#include "entry/ComponentContext.h"

namespace vornel {

ParamSocietate::ParamSocietate() : FormWindow(QStringLiteral("ParamSocietate")) {}
ParamSocietate::~ParamSocietate() = default;
void ParamSocietate::Incarca() {
    ComponentContext::current().Afiseaza(QStringLiteral("Fereastra Parametrii societate nu este inca disponibila in aceasta versiune."),
                                         MessageIcon::Information, MessageButtons::Ok, QStringLiteral("Parametrii societate"));
    unload();
}

} // namespace vornel
