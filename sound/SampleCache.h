// sound/SampleCache.h
#pragma once
#include <cstddef>
#include <map>
#include <string>

#include "sound/AudioDevice.h"
#include "sound/SampleBuffer.h"

namespace zumek {

/// A sample file as the device holds it. The decoded samples themselves live only in the device.
struct CachedSample {
    AudioBufferId buffer = 0;
    size_t bytes = 0;   ///< size of the decoded 16-bit samples
    size_t frames = 0;
    int channels = 0;
    int sampleRate = 0;
};

/// Decodes sample files (WAV, OGG/Vorbis, FLAC and whatever else libsndfile reads) and uploads
/// them to the device, once per file: every event naming the same file shares one buffer.
class SampleCache {
public:
    explicit SampleCache(AudioDevice& device) : m_device(device) {}
    ~SampleCache() { Clear(); }
    SampleCache(const SampleCache&) = delete;
    SampleCache& operator=(const SampleCache&) = delete;

    /// The sample of the file at `path`, decoded on the first request; null with `error` set
    /// when the file is missing, unreadable or not mono or stereo. Failures are not cached.
    const CachedSample* Get(const std::string& path, std::string& error);

    /// Destroys every buffer.
    void Clear();

    /// Decodes a whole file into 16-bit samples; false with `error` set when it cannot.
    static bool Decode(const std::string& path, SampleBuffer& out, std::string& error);

    size_t Count() const { return m_samples.size(); }
    /// Bytes of decoded samples held for all files together.
    size_t DecodedBytes() const;
    /// How many files were decoded since construction (each file at most once while cached).
    size_t DecodeCount() const { return m_decodeCount; }

private:
    AudioDevice& m_device;
    std::map<std::string, CachedSample> m_samples; ///< by canonical path
    size_t m_decodeCount = 0;
};

} // namespace zumek
