// cddisp.dll: the path the picture takes to the screen. With the DCI setting on and a DCI
// display driver named in cdvideo.dll, pictures go through that driver; otherwise through the
// plain window system (GDI).
#include "drivers/cdmodules.h"

#include <cstdio>

extern "C" CD_EXPORT void CdDisplayPath(const char* dci_file, int32_t dci_setting, char* text,
                                        uint32_t size) {
    if (!text || size == 0)
        return;
    if (dci_setting != 0 && dci_file && dci_file[0] != '\0')
        std::snprintf(text, size, "DCI %s", dci_file);
    else
        std::snprintf(text, size, "GDI");
}
