// The arithmetic of the gradient caption: the colour table from black to a caption colour and
// the band edges across the caption, with the rounding of the classic floating-point types.
#pragma once

#include "host/gdi32.h"

#include <array>

// Entry j of `Bands` entries: each channel c of `Colour` becomes round(j * (c / (Bands - 1))),
// the quotient formed first in extended precision, rounded to the nearest integer, ties to even.
// Entry 0 is black, entry Bands - 1 the colour itself. Bands is 2 to 256.
std::array<COLORREF, 256> GradientRow(COLORREF Colour, int Bands);

// The value as a 48-bit real holds it: 40 significant bits (a 39-bit mantissa after the hidden
// one), rounded at the first dropped bit, halves away from zero.
long double ToReal48(long double Value);

// The left edge of band k (0 to Bands; k = Bands gives the right end) of a caption Width pixels
// wide: round(k * (Width / Bands)), the quotient held as a 48-bit real, ties to even.
int BandEdge(int K, int Width, int Bands);
