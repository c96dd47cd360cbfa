#pragma once
// The packaging accounts selector of an output document series.

#include "controls/FormWindow.h"

namespace vornel {

class frmConturi : public FormWindow {
    Q_OBJECT
public:
    frmConturi();
    ~frmConturi() override;

    // Fills the window for the series (-1 for a new one) and shows it modally; returns when hidden.
    void Incarca(qint16 IdSerie);
};

} // namespace vornel
