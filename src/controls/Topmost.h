#pragma once
// Keeps a window above all others without moving, resizing or activating it.

#include <QWidget>

namespace vornel::Topmost {

void apply(QWidget* window);

} // namespace vornel::Topmost
