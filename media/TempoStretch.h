#pragma once
// Sound played faster or slower than it was recorded, at its own pitch: interleaved 16-bit
// samples through FFmpeg's `atempo` filter (WSOLA time stretching, as mpv uses it). One thread.

#include <cstdint>
#include <memory>
#include <vector>

struct AVFilterGraph;
struct AVFilterContext;

namespace media {

class TempoStretch {
  public:
    TempoStretch(int sample_rate, int channels);
    ~TempoStretch();
    TempoStretch(const TempoStretch&) = delete;
    TempoStretch& operator=(const TempoStretch&) = delete;

    // Stretches `samples` for play at `tempo` (2: twice as fast) and appends what the filter
    // gives back now to `out`; the filter holds back a little for its overlap, given with later
    // input or by finish(). A new tempo starts the filter afresh. False when the filter cannot
    // be made (the samples are then dropped).
    bool push(const std::vector<int16_t>& samples, double tempo, std::vector<int16_t>& out);
    // Appends what the filter still holds to `out` and starts afresh.
    void finish(std::vector<int16_t>& out);
    // Forgets what the filter holds (a seek).
    void reset();

  private:
    bool build(double tempo);
    void take(std::vector<int16_t>& out);

    int m_sample_rate;
    int m_channels;
    double m_tempo = 0;
    int64_t m_next_pts = 0;
    struct GraphDeleter {
        void operator()(AVFilterGraph* graph) const;
    };
    std::unique_ptr<AVFilterGraph, GraphDeleter> m_graph;
    AVFilterContext* m_source = nullptr;
    AVFilterContext* m_sink = nullptr;
};

} // namespace media
