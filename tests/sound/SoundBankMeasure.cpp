// tests/sound/SoundBankMeasure.cpp
// Prints how long the shipped banks take to load (parse, decode, upload) and how much their
// decoded samples take. Usage: sound_bank_measure [REPOSITORY] (default: the working directory).
#include <chrono>
#include <cstdio>

#include "content/ContentType.h"
#include "platform/Paths.h"
#include "sound/LoopbackAudioDevice.h"
#include "sound/NullAudioDevice.h"
#include "sound/StudioSystem.h"

int main(int argc, char** argv) {
    using namespace zumek;
    using Clock = std::chrono::steady_clock;
    if (argc > 1) Paths::SetResourceRoot(argv[1]);
    constexpr int kRounds = 20;
    double totalMs = 0.0, bestMs = 1e9;
    size_t bytes = 0, files = 0, events = 0;
    for (int round = 0; round < kRounds; ++round) {
        auto system = StudioSystem::Create(kStudioHeaderVersion);
        std::unique_ptr<AudioDevice> device = LoopbackAudioDevice::Open(44100);
        if (!device) device = std::make_unique<NullAudioDevice>();
        system->Initialize(32, 0, 0, std::move(device));
        auto start = Clock::now();
        for (const std::string& name : ListContent(ContentType::SoundBank)) {
            SoundBank* bank = system->LoadBankFile(GetContentPath(ContentType::SoundBank, name), 0);
            if (bank && round == 0) events += bank->Events().size();
        }
        double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        totalMs += ms;
        bestMs = std::min(bestMs, ms);
        bytes = system->Samples()->DecodedBytes();
        files = system->Samples()->Count();
    }
    std::printf("banks of %s: %zu events, %zu sample files\n", Paths::ResourceRoot().c_str(), events, files);
    std::printf("load time: %.2f ms mean, %.2f ms best over %d loads\n", totalMs / kRounds, bestMs, kRounds);
    std::printf("decoded samples: %zu bytes (%.1f KiB)\n", bytes, bytes / 1024.0);
    return 0;
}
