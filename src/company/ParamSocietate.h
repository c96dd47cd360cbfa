#pragma once
// The company parameters window: identification data, accounting state and monthly overheads.

#include "controls/FormWindow.h"

namespace vornel {

class ParamSocietate : public FormWindow {
    Q_OBJECT
public:
    ParamSocietate();
    ~ParamSocietate() override;

    // Loads the company record of the context's company and shows the window.
    void Incarca();
};

} // namespace vornel
