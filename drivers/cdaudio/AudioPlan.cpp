// cdaudio.dll: how the package plays MPEG sound, from the settings of cdvideo.ini.
#include "drivers/cdmodules.h"

namespace {

// SampRate's values: the rates of the sound boards the settings were made for.
constexpr int32_t sample_rates[] = {11025, 22050, 44100};

} // namespace

extern "C" CD_EXPORT void CdAudioPlanFor(const CdSettings* settings, CdAudioPlan* plan) {
    if (!settings || !plan)
        return;
    plan->sound_on = settings->dsp_audio == 0 ? 1 : 0;
    bool known_rate = settings->samp_rate >= 0 && settings->samp_rate < 3;
    plan->sample_rate = known_rate ? sample_rates[settings->samp_rate] : 0;
    plan->channels = settings->stereo == 0 ? 1 : 2;
}
