#pragma once
// The output document configuration: numbering series of invoices and delivery notes.

#include "controls/FormWindow.h"

namespace vornel {

class ConfDocOut : public FormWindow {
    Q_OBJECT
public:
    ConfDocOut();
    ~ConfDocOut() override;

    // Loads the series and shows the window in browsing mode.
    void Incarca();
};

} // namespace vornel
