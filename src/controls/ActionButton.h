#pragma once
// The action buttons of the windows: cmdAction_<index> with its caption, a picture and an
// accelerator (Alt+letter) that clicks it while keeping the caption's text as designed.

#include "controls/Look.h"

#include <QPushButton>

namespace vornel {

QPushButton* makeActionButton(QWidget* parent, int index, const QString& caption, Look::Picture picture,
                              const QString& accelerator = {});

// The button "Istoric" (cmdIstoric) that shows the history of what the window shows; Ctrl+H in the
// window clicks it.
QPushButton* makeHistoryButton(QWidget* parent);

} // namespace vornel
