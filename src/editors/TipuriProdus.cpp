// Placeholder until the window is built: it says so and closes.
#include "editors/TipuriProdus.h"

#include "catalogs/GridComun.h"
#include "entry/ComponentContext.h"

namespace vornel {

TipuriProdus::TipuriProdus() : FormWindow(QStringLiteral("TipuriProdus")) {}
TipuriProdus::~TipuriProdus() = default;
void TipuriProdus::DeschideTip(const QString&, const QString&) {
    ComponentContext::current().Afiseaza(
        QStringLiteral("Editorul pentru Tipuri de produse nu este inca disponibil in aceasta versiune."),
        MessageIcon::Information, MessageButtons::Ok, QStringLiteral("Tipuri de produse"));
    if (auto* list = ComponentContext::current().loaded<GridComun>()) list->setEnabled(true);
    unload();
}
void TipuriProdus::codePicked(const QString&, const QString&) {}

} // namespace vornel
