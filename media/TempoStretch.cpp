#include "TempoStretch.h"

#include "FFmpegPtr.h"
#include "FilterLibrary.h"

extern "C" {
#include <libavutil/opt.h>
}

#include <cstring>
#include <string>

namespace media {

namespace {

// One atempo filter takes tempos from 0.5 to 100; slower play chains several.
std::string atempo_chain(double tempo) {
    std::string chain;
    while (tempo < 0.5) {
        chain += "atempo=0.5,";
        tempo /= 0.5;
    }
    return chain + "atempo=" + std::to_string(tempo);
}

} // namespace

void TempoStretch::GraphDeleter::operator()(AVFilterGraph* graph) const {
    // A graph exists only where the library was loaded.
    filter_library()->graph_free(&graph);
}

TempoStretch::TempoStretch(int sample_rate, int channels)
    : m_sample_rate(sample_rate), m_channels(channels) {}

TempoStretch::~TempoStretch() = default;

void TempoStretch::reset() {
    m_graph.reset();
    m_source = m_sink = nullptr;
    m_tempo = 0;
    m_next_pts = 0;
}

bool TempoStretch::build(double tempo) {
    reset();
    FilterLibrary const* filters = filter_library();
    if (!filters)
        return false;
    m_graph.reset(filters->graph_alloc());
    if (!m_graph)
        return false;
    AVChannelLayout layout;
    av_channel_layout_default(&layout, m_channels);
    char layout_text[64] = "";
    av_channel_layout_describe(&layout, layout_text, sizeof layout_text);
    const std::string source_arguments = "time_base=1/" + std::to_string(m_sample_rate) +
                                         ":sample_rate=" + std::to_string(m_sample_rate) +
                                         ":sample_fmt=s16:channel_layout=" + layout_text;
    if (filters->graph_create_filter(&m_source, filters->get_by_name("abuffer"), "in",
                                     source_arguments.c_str(), nullptr, m_graph.get()) < 0 ||
        filters->graph_create_filter(&m_sink, filters->get_by_name("abuffersink"), "out", nullptr, nullptr,
                                     m_graph.get()) < 0) {
        reset();
        return false;
    }
    const AVSampleFormat formats[] = {AV_SAMPLE_FMT_S16, AV_SAMPLE_FMT_NONE};
    av_opt_set_int_list(m_sink, "sample_fmts", formats, AV_SAMPLE_FMT_NONE, AV_OPT_SEARCH_CHILDREN);
    AVFilterInOut* outputs = filters->inout_alloc();
    AVFilterInOut* inputs = filters->inout_alloc();
    bool made = outputs && inputs;
    if (made) {
        outputs->name = av_strdup("in");
        outputs->filter_ctx = m_source;
        inputs->name = av_strdup("out");
        inputs->filter_ctx = m_sink;
        made = filters->graph_parse_ptr(m_graph.get(), atempo_chain(tempo).c_str(), &inputs, &outputs,
                                        nullptr) >= 0 &&
               filters->graph_config(m_graph.get(), nullptr) >= 0;
    }
    filters->inout_free(&inputs);
    filters->inout_free(&outputs);
    if (!made) {
        reset();
        return false;
    }
    m_tempo = tempo;
    return true;
}

void TempoStretch::take(std::vector<int16_t>& out) {
    AVFramePtr frame = make_frame();
    while (filter_library()->buffersink_get_frame(m_sink, frame.get()) >= 0) {
        const auto* data = reinterpret_cast<const int16_t*>(frame->data[0]);
        out.insert(out.end(), data, data + static_cast<size_t>(frame->nb_samples) * m_channels);
        av_frame_unref(frame.get());
    }
}

bool TempoStretch::push(const std::vector<int16_t>& samples, double tempo, std::vector<int16_t>& out) {
    if ((!m_graph || tempo != m_tempo) && !build(tempo))
        return false;
    const int frames = static_cast<int>(samples.size() / static_cast<size_t>(m_channels));
    if (frames == 0)
        return true;
    AVFramePtr frame = make_frame();
    frame->format = AV_SAMPLE_FMT_S16;
    frame->sample_rate = m_sample_rate;
    frame->nb_samples = frames;
    av_channel_layout_default(&frame->ch_layout, m_channels);
    frame->pts = m_next_pts;
    if (av_frame_get_buffer(frame.get(), 0) < 0)
        return false;
    std::memcpy(frame->data[0], samples.data(), static_cast<size_t>(frames) * m_channels * sizeof(int16_t));
    m_next_pts += frames;
    if (filter_library()->buffersrc_add_frame(m_source, frame.get()) < 0) {
        reset();
        return false;
    }
    take(out);
    return true;
}

void TempoStretch::finish(std::vector<int16_t>& out) {
    if (m_graph && filter_library()->buffersrc_add_frame(m_source, nullptr) >= 0)
        take(out);
    reset();
}

} // namespace media
