#pragma once
// The suite's look of text fields: black with light text, dark grey (0x404040) while focused, the
// whole text selected when the focus arrives.

#include <QWidget>

namespace vornel::FocusColour {

void attach(QWidget* widget);
// The background colour currently shown (0 or 0x404040), for tests.
int background(const QWidget* widget);

} // namespace vornel::FocusColour
