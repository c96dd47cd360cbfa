#pragma once
// The salary configuration window: payroll parameters per month and work group, the work groups
// and the tax and seniority tables.

#include "controls/FormWindow.h"

namespace vornel {

class Salarii : public FormWindow {
    Q_OBJECT
public:
    Salarii();
    ~Salarii() override;

    // Loads the groups and the parameters of January of the first group and shows the window.
    void Incarca();
};

} // namespace vornel
