#pragma once
// Volume and channel switches applied to interleaved stereo int16 samples on their way to the
// device. Volume runs 0..1000 (1000 = unchanged); a switched-off channel is silent.

#include <cstdint>

namespace media {

struct MixSettings {
    int volume = 1000;
    bool left_on = true;
    bool right_on = true;
};

int clamp_volume(int volume);

// Applies `settings` in place to `frames` sample frames of `channels` interleaved samples.
// Channel 0 is left and channel 1 right; further channels follow the volume only.
void apply_mix(int16_t* samples, int frames, int channels, const MixSettings& settings);

} // namespace media
