// Placeholder until the window is built: it says so and closes.
#include "editors/GridDetailMare.h"

#include "catalogs/GridComun.h"
#include "entry/ComponentContext.h"

namespace vornel {

GridDetailMare::GridDetailMare() : FormWindow(QStringLiteral("GridDetailMare")) {}
GridDetailMare::~GridDetailMare() = default;
void GridDetailMare::DeschideDetaliu(const QString& caption, const QString&, const QString&) {
    ComponentContext::current().Afiseaza(QStringLiteral("Editorul pentru ") + caption +
                                             QStringLiteral(" nu este inca disponibil in aceasta versiune."),
                                         MessageIcon::Information, MessageButtons::Ok, caption);
    if (auto* list = ComponentContext::current().loaded<GridComun>()) list->setEnabled(true);
    unload();
}

} // namespace vornel
