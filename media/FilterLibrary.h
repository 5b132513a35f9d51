#pragma once
// FFmpeg's filter library, loaded the first time something needs it (sound stretched for another
// speed). Linked in, it would bring some thirty libraries of its own (speech synthesis, Vulkan,
// LAPACK, LV2 hosts...) into every process that plays a movie, for start-up time and memory that
// plain playback never uses. Any thread.

#include "FFmpegPtr.h"

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
}

namespace media {

// The functions of libavfilter the engine calls, with their own signatures.
struct FilterLibrary {
    decltype(&avfilter_graph_alloc) graph_alloc;
    decltype(&avfilter_graph_free) graph_free;
    decltype(&avfilter_get_by_name) get_by_name;
    decltype(&avfilter_graph_create_filter) graph_create_filter;
    decltype(&avfilter_inout_alloc) inout_alloc;
    decltype(&avfilter_inout_free) inout_free;
    decltype(&avfilter_graph_parse_ptr) graph_parse_ptr;
    decltype(&avfilter_graph_config) graph_config;
    decltype(&av_buffersrc_add_frame) buffersrc_add_frame;
    decltype(&av_buffersink_get_frame) buffersink_get_frame;
};

// The library of the FFmpeg the engine was built against, loaded once; null when it cannot be
// loaded or lacks one of the functions.
FilterLibrary const* filter_library();

} // namespace media
