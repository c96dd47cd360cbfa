#include "controls/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace vornel::Twips {

namespace {

// Twips per pixel: 15 at 96 dpi, fewer on a denser screen.
double twipsPerPixel() {
    double dpi = 96.0;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const double logical = screen->logicalDotsPerInch();
        if (logical > 0.0) dpi = logical;
    }
    return 1440.0 / dpi;
}

} // namespace

int toPixels(int twips) {
    return static_cast<int>(std::lround(twips / twipsPerPixel()));
}

int fromPixels(int pixels) {
    return static_cast<int>(std::lround(pixels * twipsPerPixel()));
}

} // namespace vornel::Twips
