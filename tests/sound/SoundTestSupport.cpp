// tests/sound/SoundTestSupport.cpp
#include "tests/sound/SoundTestSupport.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "engine/EngineLog.h"
#include "platform/Paths.h"

namespace zumek::test {
namespace fs = std::filesystem;

TempResources::TempResources() {
    std::string pattern = (fs::temp_directory_path() / "zumek-sound-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    m_root = mkdtemp(buffer.data());
    fs::create_directories(m_root + "/documents");
    fs::create_directories(m_root + "/resources/soundbanks");
    fs::create_directories(m_root + "/resources/soundevents");
    Paths::SetResourceRoot(m_root);
    Paths::SetDocumentsFolder(m_root + "/documents");
}

TempResources::~TempResources() {
    std::error_code ec;
    fs::remove_all(m_root, ec);
}

void TempResources::Write(const std::string& relative, const std::string& text) const {
    fs::path path = Path(relative);
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

namespace {

/// The repository's folder.
std::string RepositoryRoot() {
    // ZUMEK_TEST_DATA is a folder of the tests; the repository is the nearest folder above it
    // that holds the shipped resources.
    const char* data = std::getenv("ZUMEK_TEST_DATA");
    fs::path folder = fs::absolute(data ? data : ".").lexically_normal();
    for (fs::path at = folder; !at.empty(); at = at.parent_path()) {
        if (fs::is_directory(at / "resources" / "soundbanks")) return at.string();
        if (at == at.parent_path()) break;
    }
    return folder.string();
}

} // namespace

void UseShippedResources() {
    Paths::SetResourceRoot(RepositoryRoot());
    static const std::string documents = (fs::temp_directory_path() / "zumek-sound-no-documents").string();
    Paths::SetDocumentsFolder(documents);
}

void WriteToneWav(const std::string& path, double seconds, double frequency, double amplitude, int rate) {
    auto frames = static_cast<uint32_t>(seconds * rate);
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    auto u32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
    out.write("RIFF", 4);
    u32(36 + frames * 2);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(static_cast<uint32_t>(rate));
    u32(static_cast<uint32_t>(rate) * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(frames * 2);
    for (uint32_t i = 0; i < frames; ++i) {
        double value = amplitude * std::sin(2.0 * M_PI * frequency * i / rate);
        u16(static_cast<uint16_t>(static_cast<int16_t>(std::lround(value * 32767.0))));
    }
}

double ChannelRms(const std::vector<float>& mix, int channel, size_t from, size_t to) {
    size_t frames = mix.size() / 2;
    if (to > frames) to = frames;
    if (from >= to) return 0.0;
    double sum = 0.0;
    for (size_t i = from; i < to; ++i) sum += double(mix[i * 2 + channel]) * mix[i * 2 + channel];
    return std::sqrt(sum / double(to - from));
}

double MixRms(const std::vector<float>& mix, size_t from, size_t to) {
    double left = ChannelRms(mix, 0, from, to), right = ChannelRms(mix, 1, from, to);
    return std::sqrt((left * left + right * right) / 2.0);
}

double Peak(const std::vector<float>& mix) {
    double peak = 0.0;
    for (float v : mix) peak = std::max(peak, double(std::fabs(v)));
    return peak;
}

size_t ProblemCount() {
    size_t count = 0;
    for (const LogMessage& record : EngineLog::Instance().Records())
        if (record.level != Info) ++count;
    return count;
}

std::string BankText(const std::vector<BankEvent>& events) {
    std::string text = "<SoundBank Version=\"1\">\n";
    for (const BankEvent& e : events)
        text += "  <Event Path=\"" + e.path + "\" Sample=\"" + e.sample + "\" Loop=\"" + (e.loop ? "true" : "false") +
                "\" Positioned=\"" + (e.positioned ? "true" : "false") + "\"/>\n";
    return text + "</SoundBank>\n";
}

LoopbackStudio::LoopbackStudio(int channels) {
    auto loopback = LoopbackAudioDevice::Open(kRate);
    EXPECT_NE(loopback, nullptr) << "OpenAL Soft's loopback device did not open";
    device = loopback.get();
    system->Initialize(channels, 0, 0, std::move(loopback));
}

EventInstance* LoopbackStudio::Instance(const std::string& path) {
    EventDescription* description = system->GetEvent(path);
    EXPECT_NE(description, nullptr) << path;
    return description ? description->CreateInstance() : nullptr;
}

void LoopbackStudio::LoadToneBank(const std::vector<BankEvent>& events, double seconds, double frequency) {
    WriteToneWav(files.Path("tone.wav"), seconds, frequency, 0.5);
    files.Write("a.bank", BankText(events));
    EXPECT_NE(system->LoadBankFile(files.Path("a.bank"), 0), nullptr);
}

} // namespace zumek::test
