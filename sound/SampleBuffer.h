// sound/SampleBuffer.h
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zumek {

/// Decoded PCM audio: signed 16-bit samples, interleaved by channel.
struct SampleBuffer {
    std::vector<int16_t> samples; ///< frames * channels values
    int channels = 1;             ///< 1 (mono, can be positioned) or 2 (stereo)
    int sampleRate = 44100;       ///< frames per second

    size_t Frames() const { return channels > 0 ? samples.size() / static_cast<size_t>(channels) : 0; }
    size_t Bytes() const { return samples.size() * sizeof(int16_t); }
};

} // namespace zumek
