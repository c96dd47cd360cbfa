#pragma once
// Remembered windows: each window opens where and at the size the user last left it (per user of
// the suite, in the settings under "ferestre/USER/NAME", NAME being the window's objectName),
// always fully on a screen that is there now.

#include <QList>
#include <QRect>

class QWidget;

namespace vornel::WindowPlace {

// Restores the window's place when it is first shown and records it whenever it is hidden.
void remember(QWidget* window);

// Where a window whose frame was last at `frame` goes now: moved (and shrunk when it is larger)
// fully inside the screen area it overlaps most, or the first one when it overlaps none.
QRect fitted(const QRect& frame, const QList<QRect>& screens);

} // namespace vornel::WindowPlace
