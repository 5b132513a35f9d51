#include "CaptionGradient.h"

#include <cfenv>
#include <cmath>

namespace {

// Round to the nearest integer, ties to even, in the current (default) rounding mode.
long double RoundEven(long double Value) {
    return std::nearbyintl(Value);
}

} // namespace

std::array<COLORREF, 256> GradientRow(COLORREF Colour, int Bands) {
    std::array<COLORREF, 256> row{};
    if (Bands < 2 || Bands > 256)
        return row;
    long double const steps = Bands - 1;
    long double const red = static_cast<long double>(Colour & 0xFF) / steps;
    long double const green = static_cast<long double>((Colour >> 8) & 0xFF) / steps;
    long double const blue = static_cast<long double>((Colour >> 16) & 0xFF) / steps;
    for (int j = 0; j < Bands; ++j)
        row[static_cast<size_t>(j)] = RGB(static_cast<BYTE>(RoundEven(j * red)), static_cast<BYTE>(RoundEven(j * green)),
                                          static_cast<BYTE>(RoundEven(j * blue)));
    return row;
}

long double ToReal48(long double Value) {
    if (Value == 0 || !std::isfinite(Value))
        return Value;
    int exponent = 0;
    long double const fraction = std::frexp(Value, &exponent); // 0.5 <= |fraction| < 1
    long double const scaled = std::ldexp(fraction, 40);      // 40 significant bits before the point
    long double const kept = std::copysign(std::floor(std::fabs(scaled) + 0.5L), scaled);
    return std::ldexp(kept, exponent - 40);
}

int BandEdge(int K, int Width, int Bands) {
    long double const step = ToReal48(static_cast<long double>(Width) / Bands);
    return static_cast<int>(RoundEven(K * step));
}
