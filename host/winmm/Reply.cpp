#include "host/mci/Reply.h"

#include <cstdio>
#include <cstring>

namespace host::mci {

namespace {

struct Word {
    UINT value;
    std::string_view text;
};

constexpr Word mode_words[] = {
    {MCI_MODE_NOT_READY, "not ready"}, {MCI_MODE_STOP, "stopped"}, {MCI_MODE_PLAY, "playing"},
    {MCI_MODE_RECORD, "recording"},    {MCI_MODE_SEEK, "seeking"}, {MCI_MODE_PAUSE, "paused"},
    {MCI_MODE_OPEN, "open"},
};
constexpr Word time_format_words[] = {
    {MCI_FORMAT_MILLISECONDS, "milliseconds"},
    {MCI_FORMAT_HMS, "hms"},
    {MCI_FORMAT_MSF, "msf"},
    {MCI_FORMAT_FRAMES, "frames"},
    {MCI_FORMAT_SMPTE_24, "smpte 24"},
    {MCI_FORMAT_SMPTE_25, "smpte 25"},
    {MCI_FORMAT_SMPTE_30, "smpte 30"},
    {MCI_FORMAT_SMPTE_30DROP, "smpte 30 drop"},
    {MCI_FORMAT_BYTES, "bytes"},
    {MCI_FORMAT_SAMPLES, "samples"},
    {MCI_FORMAT_TMSF, "tmsf"},
};
constexpr Word device_type_words[] = {
    {MCI_DEVTYPE_VCR, "vcr"},
    {MCI_DEVTYPE_VIDEODISC, "videodisc"},
    {MCI_DEVTYPE_OVERLAY, "overlay"},
    {MCI_DEVTYPE_CD_AUDIO, "cdaudio"},
    {MCI_DEVTYPE_DAT, "dat"},
    {MCI_DEVTYPE_SCANNER, "scanner"},
    {MCI_DEVTYPE_ANIMATION, "animation"},
    {MCI_DEVTYPE_DIGITAL_VIDEO, "digitalvideo"},
    {MCI_DEVTYPE_OTHER, "other"},
    {MCI_DEVTYPE_WAVEFORM_AUDIO, "waveaudio"},
    {MCI_DEVTYPE_SEQUENCER, "sequencer"},
};

template <std::size_t N> std::string_view lookup(const Word (&words)[N], UINT value) {
    for (const Word& word : words)
        if (word.value == value)
            return word.text;
    return {};
}

} // namespace

std::string_view mode_word(UINT mode) {
    return lookup(mode_words, mode);
}
std::string_view time_format_word(UINT format) {
    return lookup(time_format_words, format);
}
std::string_view device_type_word(UINT type) {
    return lookup(device_type_words, type);
}

Reply Reply::mode(UINT mode) {
    return string(mode_word(mode));
}
Reply Reply::time_format(UINT format) {
    return string(time_format_word(format));
}
Reply Reply::device_type(UINT type) {
    return string(device_type_word(type));
}

Reply Reply::colonized(int first, int second, int third, int fourth) {
    char text[48];
    if (fourth < 0)
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", first, second, third);
    else
        std::snprintf(text, sizeof text, "%02d:%02d:%02d:%02d", first, second, third, fourth);
    return string(text);
}

std::string Reply::format() const {
    switch (kind) {
    case Kind::none:
        return {};
    case Kind::integer:
        if (integer >= -(std::int64_t(1) << 31) && integer < 0)
            return std::to_string(static_cast<std::uint32_t>(integer));
        return std::to_string(integer);
    case Kind::text:
        return text;
    case Kind::rect:
        return std::to_string(rect.left) + " " + std::to_string(rect.top) + " " + std::to_string(rect.width) +
               " " + std::to_string(rect.height);
    }
    return {};
}

MCIERROR copy_reply(std::string_view text, LPSTR buffer, UINT length) {
    if (!buffer || text.size() >= length)
        return MCIERR_PARAM_OVERFLOW;
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    return 0;
}

} // namespace host::mci
