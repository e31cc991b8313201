// sound/SampleCache.cpp
#include "sound/SampleCache.h"

#include <filesystem>
#include <memory>

#include <sndfile.h>

namespace zumek {

const CachedSample* SampleCache::Get(const std::string& path, std::string& error) {
    std::error_code ec;
    std::string key = std::filesystem::weakly_canonical(path, ec).string();
    if (ec || key.empty()) key = path;
    auto found = m_samples.find(key);
    if (found != m_samples.end()) return &found->second;

    SampleBuffer decoded;
    ++m_decodeCount;
    if (!Decode(key, decoded, error)) return nullptr;
    CachedSample sample;
    sample.buffer = m_device.CreateBuffer(decoded);
    if (sample.buffer == 0) {
        error = "the sound device could not take its samples";
        return nullptr;
    }
    sample.bytes = decoded.Bytes();
    sample.frames = decoded.Frames();
    sample.channels = decoded.channels;
    sample.sampleRate = decoded.sampleRate;
    return &m_samples.emplace(key, sample).first->second;
}

void SampleCache::Clear() {
    for (auto& [path, sample] : m_samples) m_device.DestroyBuffer(sample.buffer);
    m_samples.clear();
}

bool SampleCache::Decode(const std::string& path, SampleBuffer& out, std::string& error) {
    SF_INFO info{};
    std::unique_ptr<SNDFILE, int (*)(SNDFILE*)> file(sf_open(path.c_str(), SFM_READ, &info), &sf_close);
    if (!file) {
        error = std::filesystem::exists(path) ? std::string("cannot decode it: ") + sf_strerror(nullptr)
                                              : std::string("no such file");
        return false;
    }
    if (info.channels != 1 && info.channels != 2) {
        error = "it has " + std::to_string(info.channels) + " channels; only mono and stereo are played";
        return false;
    }
    if (info.samplerate <= 0) {
        error = "it has no sample rate";
        return false;
    }
    out.channels = info.channels;
    out.sampleRate = info.samplerate;
    out.samples.clear();
    // Read in blocks rather than trusting the frame count, which some compressed files only estimate.
    constexpr sf_count_t kBlockFrames = 16384;
    std::vector<int16_t> block(static_cast<size_t>(kBlockFrames * info.channels));
    for (;;) {
        sf_count_t got = sf_readf_short(file.get(), block.data(), kBlockFrames);
        if (got <= 0) break;
        out.samples.insert(out.samples.end(), block.begin(), block.begin() + got * info.channels);
    }
    if (out.samples.empty()) {
        error = "it holds no samples";
        return false;
    }
    return true;
}

size_t SampleCache::DecodedBytes() const {
    size_t total = 0;
    for (const auto& [path, sample] : m_samples) total += sample.bytes;
    return total;
}

} // namespace zumek
