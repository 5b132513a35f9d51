// cdvideo.dll: how the package shows MPEG pictures, from the settings of cdvideo.ini.
#include "drivers/cdmodules.h"

#include <algorithm>

namespace {

// The overscan border Crop cuts from each edge, and the smallest picture it still cuts.
constexpr int32_t crop_border = 8;
constexpr int32_t smallest_cropped = 4 * crop_border;
constexpr int32_t largest_scale = 4;

} // namespace

extern "C" CD_EXPORT void CdVideoPlanFor(const CdSettings* settings, int32_t width, int32_t height,
                                         CdVideoPlan* plan) {
    if (!settings || !plan)
        return;
    plan->paced = settings->rate == 0 ? 0 : 1;
    bool crop = settings->crop != 0 && width >= smallest_cropped && height >= smallest_cropped;
    int32_t border = crop ? crop_border : 0;
    plan->source[0] = border;
    plan->source[1] = border;
    plan->source[2] = width - 2 * border;
    plan->source[3] = height - 2 * border;
    int32_t scale = std::clamp(settings->scale, 1, largest_scale);
    plan->window_width = plan->source[2] * scale;
    plan->window_height = plan->source[3] * scale;
}
