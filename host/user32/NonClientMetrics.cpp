// SystemParametersInfoA for the non-client metrics: the Windows 95 caption, small caption and
// menu sizes and their fonts (MS Sans Serif 8 points, bold in captions).
#include "gdi32/Gdi.h"

#include <cstring>

namespace host::user32 {
namespace {

LOGFONTA sans_serif(bool bold) {
    LOGFONTA font{};
    font.lfHeight = -11;
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = 0; // ANSI
    std::strncpy(font.lfFaceName, "MS Sans Serif", LF_FACESIZE - 1);
    return font;
}

NONCLIENTMETRICSA standard_metrics() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    metrics.iBorderWidth = 1;
    metrics.iScrollWidth = 16;
    metrics.iScrollHeight = 16;
    metrics.iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
    metrics.iCaptionHeight = GetSystemMetrics(SM_CYSIZE);
    metrics.lfCaptionFont = sans_serif(true);
    metrics.iSmCaptionWidth = GetSystemMetrics(SM_CXSMSIZE);
    metrics.iSmCaptionHeight = GetSystemMetrics(SM_CYSMSIZE);
    metrics.lfSmCaptionFont = sans_serif(true);
    metrics.iMenuWidth = 18;
    metrics.iMenuHeight = 18;
    metrics.lfMenuFont = sans_serif(false);
    metrics.lfStatusFont = sans_serif(false);
    metrics.lfMessageFont = sans_serif(false);
    return metrics;
}

} // namespace
} // namespace host::user32

namespace host {

QFont caption_font(bool small) {
    NONCLIENTMETRICSA const metrics = user32::standard_metrics();
    return logical_font(small ? metrics.lfSmCaptionFont : metrics.lfCaptionFont);
}

} // namespace host

extern "C" BOOL SystemParametersInfoA(UINT action, UINT, LPVOID parameter, UINT) {
    if (action != SPI_GETNONCLIENTMETRICS || !parameter)
        return FALSE;
    auto* metrics = static_cast<NONCLIENTMETRICSA*>(parameter);
    if (metrics->cbSize != sizeof(NONCLIENTMETRICSA))
        return FALSE;
    *metrics = host::user32::standard_metrics();
    return TRUE;
}
