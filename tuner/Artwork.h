// The tuner's pictures, drawn at start-up in the 16-colour look of the period: the two banners
// of the title strip, the two-state glyphs of the button row and the window icon.
#pragma once

#include <QImage>

class TForm1;

namespace Artwork {

// A banner strip of the title panel; `FacingRight` mirrors the sweep for the right-hand one.
QImage Banner(int Width, int Height, bool FacingRight);
// A button glyph of two 16 by 16 images side by side, normal then disabled; the bottom-left
// pixel holds the transparent colour.
QImage Glyph(char Kind);
QImage Icon();

// Puts the pictures on the form's images, buttons and window.
void Decorate(TForm1* Form);

} // namespace Artwork
