// tests/sound/SoundTestSupport.h
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "sound/LoopbackAudioDevice.h"
#include "sound/StudioSystem.h"

namespace zumek::test {

/// A resource root of the test's own in a fresh temporary folder (with an empty documents folder,
/// so no user overlay interferes); removed again at the end.
class TempResources {
public:
    TempResources();
    ~TempResources();
    TempResources(const TempResources&) = delete;
    TempResources& operator=(const TempResources&) = delete;

    const std::string& Root() const { return m_root; }
    /// Writes `text` to `relative` below the root, creating folders.
    void Write(const std::string& relative, const std::string& text) const;
    /// Full path of `relative` below the root.
    std::string Path(const std::string& relative) const { return m_root + "/" + relative; }

private:
    std::string m_root;
};

/// Points the resource root at the repository, whose resources/ holds the shipped sounds.
void UseShippedResources();

/// Writes a mono 16-bit WAV file: a sine of `frequency` Hz at `amplitude` (0..1) for `seconds`.
void WriteToneWav(const std::string& path, double seconds, double frequency, double amplitude, int rate = 22050);

/// Root mean square of one channel (0 left, 1 right) of an interleaved stereo mix, over frames
/// [from, to) (to clamped to the mix).
double ChannelRms(const std::vector<float>& mix, int channel, size_t from = 0, size_t to = static_cast<size_t>(-1));
/// Both channels together.
double MixRms(const std::vector<float>& mix, size_t from = 0, size_t to = static_cast<size_t>(-1));
/// The largest absolute sample.
double Peak(const std::vector<float>& mix);

/// Number of engine log records at Warning or Error.
size_t ProblemCount();

/// A bank file with one event per (path, sample file, loop, positioned) entry, volume 1.
struct BankEvent {
    std::string path;
    std::string sample;
    bool loop = false;
    bool positioned = false;
};
std::string BankText(const std::vector<BankEvent>& events);

/// The rate the loopback device mixes at.
constexpr int kRate = 44100;

/// A studio system mixing into memory on OpenAL Soft's loopback device, with a resource root of
/// the test's own for its banks and samples.
struct LoopbackStudio {
    TempResources files;
    LoopbackAudioDevice* device = nullptr;
    std::unique_ptr<StudioSystem> system = StudioSystem::Create(kStudioHeaderVersion);

    explicit LoopbackStudio(int channels = 32);
    /// The next `seconds` of the mix.
    std::vector<float> Render(double seconds) { return device->Render(static_cast<int>(seconds * kRate)); }
    /// A new instance of the event at `path` (a failure, and null, when no bank has it).
    EventInstance* Instance(const std::string& path);
    /// Writes tone.wav, `seconds` of a sine of `frequency` Hz at half amplitude, and loads a.bank
    /// holding `events` (whose sample is "tone.wav").
    void LoadToneBank(const std::vector<BankEvent>& events, double seconds = 1.0, double frequency = 440);
};

} // namespace zumek::test
