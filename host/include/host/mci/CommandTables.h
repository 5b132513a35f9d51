// The standard MCI command tables, as data. A command is looked up in the device's own table
// first, then in the table of its device type (digital video; animation, which differs in play
// and step, and otherwise falls through to digital video), then in the core table. The first
// table that knows the verb supplies its keywords, unless its entry extends the next one.
//
// Exclusive groups: keywords of one verb that share a non-zero group cannot be combined (284).
#pragma once

#include "Grammar.h"

namespace host::mci::tables {

// clang-format off
using A = ArgumentType;
using R = ReplyType;

inline constexpr Constant time_formats[] = {
    {"milliseconds", 0}, {"ms", 0},         {"hms", 1},           {"msf", 2},
    {"frames", 3},       {"smpte 24", 4},   {"smpte 25", 5},      {"smpte 30", 6},
    {"smpte 30 drop", 7}, {"bytes", 8},     {"samples", 9},       {"tmsf", 10},
};
inline constexpr Constant audio_channels[] = {{"all", 0}, {"left", 1}, {"right", 2}};
inline constexpr Constant window_styles[] = {
    {"child", 0x40000000}, {"overlapped", 0x00CF0000}, {"popup", 0x80880000}};
inline constexpr Constant window_states[] = {
    {"hide", 0},          {"show normal", 1},       {"show minimized", 2}, {"show maximized", 3},
    {"show noactivate", 4}, {"show", 5},            {"minimize", 6},       {"show min noactive", 7},
    {"show na", 8},       {"restore", 9}};

// The general flags every verb accepts. They are matched by the parser itself.
inline constexpr std::string_view general_flags[] = {"wait", "notify", "test"};

// ---- core: what every device understands --------------------------------------------------

inline constexpr Keyword open_keywords[] = {
    {"alias", A::string},     {"type", A::string},          {"element", A::string},
    {"shareable"},            {"parent", A::integer},       {"style", A::constant, window_styles},
    {"nostatic"},             {"buffer", A::integer},
};
inline constexpr Keyword sysinfo_keywords[] = {
    {"quantity", A::none, {}, 1}, {"name", A::integer, {}, 1}, {"installname", A::none, {}, 1},
    {"open"},
};
inline constexpr Keyword break_keywords[] = {{"on", A::integer, {}, 1}, {"off", A::none, {}, 1}};
inline constexpr Keyword core_play_keywords[] = {{"from", A::integer}, {"to", A::integer}};
inline constexpr Keyword core_seek_keywords[] = {
    {"to start", A::none, {}, 1}, {"to end", A::none, {}, 1}, {"to", A::integer, {}, 1}};
inline constexpr Keyword core_status_keywords[] = {
    {"mode", A::none, {}, 1},          {"position", A::none, {}, 1},      {"length", A::none, {}, 1},
    {"number of tracks", A::none, {}, 1}, {"current track", A::none, {}, 1},
    {"media present", A::none, {}, 1}, {"ready", A::none, {}, 1},         {"time format", A::none, {}, 1},
    {"start"},                         {"track", A::integer},
};
inline constexpr Keyword core_capability_keywords[] = {
    {"can play", A::none, {}, 1},   {"can record", A::none, {}, 1},      {"can save", A::none, {}, 1},
    {"can eject", A::none, {}, 1},  {"has audio", A::none, {}, 1},       {"has video", A::none, {}, 1},
    {"uses files", A::none, {}, 1}, {"compound device", A::none, {}, 1}, {"device type", A::none, {}, 1},
};
inline constexpr Keyword core_info_keywords[] = {{"product", A::none, {}, 1}, {"file", A::none, {}, 1}};
inline constexpr Keyword core_set_keywords[] = {
    {"time format", A::constant, time_formats}, {"audio", A::constant, audio_channels},
    {"video"},                                  {"on", A::none, {}, 1},
    {"off", A::none, {}, 1},                    {"door open", A::none, {}, 2},
    {"door closed", A::none, {}, 2},
};

inline constexpr Verb core_verbs[] = {
    {"open", open_keywords, R::integer},
    {"close", {}, R::none, true},
    {"sysinfo", sysinfo_keywords, R::item, true},
    {"break", break_keywords, R::none},
    {"play", core_play_keywords, R::none, true},
    {"seek", core_seek_keywords, R::none, true},
    {"stop", {}, R::none, true},
    {"pause", {}, R::none, true},
    {"resume", {}, R::none, true},
    {"status", core_status_keywords, R::item},
    {"capability", core_capability_keywords, R::item},
    {"info", core_info_keywords, R::string},
    {"set", core_set_keywords, R::none},
};
inline constexpr CommandTable core{"core", core_verbs};

// ---- digital video (avivideo, MPEGVideo, QTWVideo) -----------------------------------------

inline constexpr Keyword video_play_keywords[] = {
    {"from", A::integer},        {"to", A::integer, {}, 1},       {"reverse", A::none, {}, 1},
    {"repeat"},                  {"window", A::none, {}, 2},      {"fullscreen", A::none, {}, 2},
    {"fullscreen by 2", A::none, {}, 2},
};
inline constexpr Keyword video_stop_keywords[] = {{"hold"}};
inline constexpr Keyword video_step_keywords[] = {{"by", A::integer}, {"reverse"}};
inline constexpr Keyword video_status_keywords[] = {
    {"mode", A::none, {}, 1},             {"position", A::none, {}, 1},
    {"length", A::none, {}, 1},           {"number of tracks", A::none, {}, 1},
    {"current track", A::none, {}, 1},    {"media present", A::none, {}, 1},
    {"ready", A::none, {}, 1},            {"time format", A::none, {}, 1},
    {"window handle", A::none, {}, 1},    {"window visible", A::none, {}, 1},
    {"window minimized", A::none, {}, 1}, {"window maximized", A::none, {}, 1},
    {"frame rate", A::none, {}, 1},       {"speed", A::none, {}, 1},
    {"forward", A::none, {}, 1},          {"audio", A::none, {}, 1},
    {"video", A::none, {}, 1},            {"volume", A::none, {}, 1},
    {"seek exactly", A::none, {}, 1},     {"frames skipped", A::none, {}, 1},
    {"play speed", A::none, {}, 1},       {"audio breaks", A::none, {}, 1},
    {"pause mode", A::none, {}, 1},       {"unsaved", A::none, {}, 1},
    {"palette handle", A::none, {}, 1},   {"stretch", A::none, {}, 1},
    {"start"},                            {"track", A::integer},
    {"nominal"},                          {"left", A::none, {}, 2},
    {"right", A::none, {}, 2},
};
inline constexpr Keyword video_capability_keywords[] = {
    {"can play", A::none, {}, 1},          {"can record", A::none, {}, 1},
    {"can save", A::none, {}, 1},          {"can eject", A::none, {}, 1},
    {"has audio", A::none, {}, 1},         {"has video", A::none, {}, 1},
    {"uses files", A::none, {}, 1},        {"compound device", A::none, {}, 1},
    {"device type", A::none, {}, 1},       {"can reverse", A::none, {}, 1},
    {"can stretch", A::none, {}, 1},       {"can stretch input", A::none, {}, 1},
    {"can freeze", A::none, {}, 1},        {"can lock", A::none, {}, 1},
    {"can test", A::none, {}, 1},          {"has still", A::none, {}, 1},
    {"uses palettes", A::none, {}, 1},     {"windows", A::none, {}, 1},
    {"maximum play rate", A::none, {}, 1}, {"minimum play rate", A::none, {}, 1},
};
inline constexpr Keyword video_info_keywords[] = {
    {"product", A::none, {}, 1}, {"file", A::none, {}, 1},    {"version", A::none, {}, 1},
    {"window text", A::none, {}, 1}, {"usage", A::none, {}, 1}, {"copyright", A::none, {}, 1},
    {"name", A::none, {}, 1},
};
inline constexpr Keyword video_set_keywords[] = {
    {"time format", A::constant, time_formats}, {"audio", A::constant, audio_channels},
    {"video"},                                  {"on", A::none, {}, 1},
    {"off", A::none, {}, 1},                    {"seek exactly"},
    {"speed", A::integer},                      {"door open", A::none, {}, 2},
    {"door closed", A::none, {}, 2},
};
inline constexpr Keyword video_setaudio_keywords[] = {
    {"left", A::none, {}, 1},   {"right", A::none, {}, 1}, {"volume", A::none, {}, 2},
    {"bass", A::none, {}, 2},   {"treble", A::none, {}, 2}, {"to", A::integer},
    {"on", A::none, {}, 3},     {"off", A::none, {}, 3},   {"over", A::integer},
};
inline constexpr Keyword video_setvideo_keywords[] = {
    {"on", A::none, {}, 1},          {"off", A::none, {}, 1},       {"brightness", A::none, {}, 2},
    {"color", A::none, {}, 2},       {"contrast", A::none, {}, 2},  {"gamma", A::none, {}, 2},
    {"sharpness", A::none, {}, 2},   {"tint", A::none, {}, 2},      {"palette handle", A::none, {}, 2},
    {"to", A::integer},              {"over", A::integer},
};
inline constexpr Keyword rectangle_names[] = {
    {"source", A::none, {}, 1}, {"destination", A::none, {}, 1}, {"frame", A::none, {}, 1},
    {"video", A::none, {}, 1},  {"window", A::none, {}, 1},      {"max"},
};
inline constexpr Keyword video_put_keywords[] = {
    {"source", A::none, {}, 1}, {"destination", A::none, {}, 1}, {"frame", A::none, {}, 1},
    {"video", A::none, {}, 1},  {"window", A::none, {}, 1},      {"at", A::rect},
    {"client"},
};
inline constexpr Keyword video_window_keywords[] = {
    {"handle", A::integer, {}, 1}, {"handle default", A::none, {}, 1},
    {"state", A::constant, window_states}, {"text", A::string},
};
inline constexpr Keyword video_signal_keywords[] = {
    {"at", A::integer, {}, 1},  {"every", A::integer}, {"uservalue", A::integer},
    {"return position"},        {"cancel", A::none, {}, 1},
};
inline constexpr Keyword video_capture_keywords[] = {{"as", A::string}, {"at", A::rect}};
inline constexpr Keyword video_save_keywords[] = {
    {"", A::string}, {"at", A::rect}, {"abort"}, {"keepreserve"}};
inline constexpr Keyword video_load_keywords[] = {{"", A::string}};
inline constexpr Keyword video_freeze_keywords[] = {{"at", A::rect}, {"outside"}};
inline constexpr Keyword video_realize_keywords[] = {
    {"normal", A::none, {}, 1}, {"background", A::none, {}, 1}};
inline constexpr Keyword video_update_keywords[] = {
    {"hdc", A::integer}, {"at", A::rect}, {"paint"}};
inline constexpr Keyword video_cue_keywords[] = {
    {"input", A::none, {}, 1}, {"output", A::none, {}, 1}, {"to", A::integer}, {"noshow"}};

inline constexpr Verb video_verbs[] = {
    {"play", video_play_keywords, R::none, true},
    {"stop", video_stop_keywords, R::none, true},
    {"pause", video_stop_keywords, R::none, true},
    {"resume", {}, R::none, true},
    {"seek", core_seek_keywords, R::none, true},
    {"step", video_step_keywords, R::none},
    {"status", video_status_keywords, R::item},
    {"capability", video_capability_keywords, R::item},
    {"info", video_info_keywords, R::string},
    {"set", video_set_keywords, R::none},
    {"setaudio", video_setaudio_keywords, R::none},
    {"setvideo", video_setvideo_keywords, R::none},
    {"where", rectangle_names, R::rect},
    {"put", video_put_keywords, R::none},
    {"window", video_window_keywords, R::none},
    {"signal", video_signal_keywords, R::none},
    {"configure", {}, R::none},
    {"capture", video_capture_keywords, R::none},
    {"save", video_save_keywords, R::none},
    {"load", video_load_keywords, R::none},
    {"freeze", video_freeze_keywords, R::none},
    {"unfreeze", video_freeze_keywords, R::none},
    {"realize", video_realize_keywords, R::none},
    {"update", video_update_keywords, R::none},
    {"cue", video_cue_keywords, R::none},
};
inline constexpr CommandTable digital_video{"digitalvideo", video_verbs};

// ---- animation (Animation1): play fast/slow/scan and step; the rest as digital video --------

inline constexpr Keyword animation_play_keywords[] = {
    {"from", A::integer},          {"to", A::integer, {}, 1}, {"reverse", A::none, {}, 1},
    {"fast", A::none, {}, 2},      {"slow", A::none, {}, 2},  {"scan", A::none, {}, 2},
    {"speed", A::integer, {}, 2},  {"repeat"},
};
inline constexpr Verb animation_verbs[] = {
    {"play", animation_play_keywords, R::none, true},
    {"step", video_step_keywords, R::none},
};
inline constexpr CommandTable animation{"animation", animation_verbs};

// ---- extensions the host's own video devices answer besides the standard set ---------------

inline constexpr Keyword extended_status_keywords[] = {
    {"bitrate", A::none, {}, 1}, {"audio bitrate", A::none, {}, 1}, {"video bitrate", A::none, {}, 1}};
inline constexpr Keyword extended_play_keywords[] = {
    {"fast", A::none, {}, 3}, {"slow", A::none, {}, 3}};
inline constexpr Keyword extended_step_keywords[] = {{"key"}};
inline constexpr Keyword ratecontrol_keywords[] = {{"on", A::none, {}, 1}, {"off", A::none, {}, 1}};
inline constexpr Verb extended_video_verbs[] = {
    {"status", extended_status_keywords, R::item, false, true},
    {"play", extended_play_keywords, R::none, true, true},
    {"step", extended_step_keywords, R::none, false, true},
    {"ratecontrol", ratecontrol_keywords, R::none},
};
inline constexpr CommandTable extended_video{"extended video", extended_video_verbs};
// clang-format on

} // namespace host::mci::tables
