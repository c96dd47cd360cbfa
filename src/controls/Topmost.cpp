#include "controls/Topmost.h"

namespace vornel::Topmost {

void apply(QWidget* window) {
    if (!window) return;
    const Qt::WindowFlags wanted = window->windowFlags() | Qt::Window | Qt::WindowStaysOnTopHint;
    if (window->windowFlags() == wanted) return;
    // setWindowFlags hides a visible window; show it again where it was, without activating it.
    const bool wasVisible = window->isVisible();
    const QRect geometry = window->geometry();
    const bool noActivate = window->testAttribute(Qt::WA_ShowWithoutActivating);
    window->setWindowFlags(wanted);
    if (wasVisible) {
        window->setAttribute(Qt::WA_ShowWithoutActivating, true);
        window->setGeometry(geometry);
        window->show();
        window->setAttribute(Qt::WA_ShowWithoutActivating, noActivate);
    }
}

} // namespace vornel::Topmost
