#pragma once
// The large record editor: warehouses, cash desks, production centres and employees.

#include "controls/FormWindow.h"

namespace vornel {

class GridDetailMare : public FormWindow {
    Q_OBJECT
public:
    GridDetailMare();
    ~GridDetailMare() override;

    // Stores caption, mode ("A" or "M") and table, disables the list window, loads and shows the
    // window, lays it out and loads the current row of the list in modify mode.
    void DeschideDetaliu(const QString& caption, const QString& mode, const QString& table);
};

} // namespace vornel
