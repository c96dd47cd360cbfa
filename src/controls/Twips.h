#pragma once
// Twips: 1440 to the inch, 15 to the pixel at 96 dpi, scaled by the screen's logical dpi.

namespace vornel::Twips {

int toPixels(int twips);
int fromPixels(int pixels);

} // namespace vornel::Twips
