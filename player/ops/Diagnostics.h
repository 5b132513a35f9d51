// The two diagnostic commands of the pop-up menu: the stream's properties as the device reported
// them at open, and how many frames a second the device decodes when not held to real time.
// GUI thread only.
#pragma once

#include <cstddef>
#include <cstdint>

namespace player {

// The text buffers of the two boxes.
constexpr std::size_t stream_info_text_size = 512;
constexpr std::size_t speed_text_size = 64;

// The information text of state.stream_info: sizes, the three bit rates with at least seven
// digits and the frame rate with three decimals.
void stream_info_text(char* text);
// "&MPEG Infomation": the information text in a box "Info".
void show_stream_info();

// The result text for `frames` played in `elapsed_ms`: frames * 1000 / elapsed_ms, truncated.
// No measurable time counts as one millisecond, so the text stays a plain integer.
void speed_test_text(char* text, std::int32_t frames, std::uint32_t elapsed_ms);
// "&Speed Test": without rate control and in frames, plays up to the first 600 frames from
// frame 0 and times them; the result in a box; then rate control and milliseconds again.
void speed_test();

} // namespace player
