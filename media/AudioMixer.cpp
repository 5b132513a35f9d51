#include "media/AudioMixer.h"

#include <algorithm>

namespace media {

int clamp_volume(int volume) {
    return std::clamp(volume, 0, 1000);
}

void apply_mix(int16_t* samples, int frames, int channels, const MixSettings& settings) {
    int volume = clamp_volume(settings.volume);
    for (int frame = 0; frame < frames; ++frame) {
        int16_t* sample = samples + static_cast<long>(frame) * channels;
        for (int channel = 0; channel < channels; ++channel) {
            bool on = channel == 0 ? settings.left_on : channel == 1 ? settings.right_on : true;
            // Mono carries both sides: it is silent only when both are off.
            if (channels == 1)
                on = settings.left_on || settings.right_on;
            int value = on ? sample[channel] * volume / 1000 : 0;
            sample[channel] = static_cast<int16_t>(value);
        }
    }
}

} // namespace media
