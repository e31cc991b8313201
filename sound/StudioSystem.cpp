// sound/StudioSystem.cpp
#include "sound/StudioSystem.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "engine/EngineLog.h"
#include "platform/Assert.h"
#include "sound/NullAudioDevice.h"
#include "sound/OpenAlDevice.h"

namespace zumek {

std::unique_ptr<StudioSystem> StudioSystem::Create(uint32_t headerVersion) {
    bool matches = headerVersion == kStudioHeaderVersion;
    if (!matches) {
        char detail[96];
        std::snprintf(detail, sizeof detail, "built against version %#x, this is %#x", headerVersion,
                      kStudioHeaderVersion);
        ReportProblem(Error, "The sound system does not match its caller; sound is off", detail);
    }
    return std::unique_ptr<StudioSystem>(new StudioSystem(matches));
}

StudioSystem::~StudioSystem() { Release(); }

void StudioSystem::SetSoftwareFormat(int sampleRate, int speakerMode, int rawSpeakers) {
    m_sampleRate = sampleRate;
    m_speakerMode = speakerMode;
    m_rawSpeakers = rawSpeakers;
}

void StudioSystem::Initialize(int maxChannels, uint32_t, uint32_t, std::unique_ptr<AudioDevice> device) {
    ASSERT(!m_device, "the sound system is initialised once");
    ASSERT(maxChannels > 0, "the sound system needs at least one channel");
    if (!m_versionMatches) device = std::make_unique<NullAudioDevice>();
    if (!device) device = OpenAlDevice::OpenDefault(m_sampleRate);
    if (!device) {
        ReportProblem(Warning, "No audio device; sound is off");
        device = std::make_unique<NullAudioDevice>();
    }
    m_device = std::move(device);
    m_samples = std::make_unique<SampleCache>(*m_device);
    for (int i = 0; i < maxChannels; ++i) {
        AudioVoiceId voice = m_device->CreateVoice();
        if (voice == 0) break;
        m_channels.push_back(Channel{voice});
    }
    if (static_cast<int>(m_channels.size()) < maxChannels)
        ReportProblem(Warning, "The sound device has fewer channels than asked",
                      std::to_string(m_channels.size()) + " of " + std::to_string(maxChannels));
}

SoundBank* StudioSystem::LoadBankFile(const std::string& path, uint32_t) {
    ASSERT(m_device, "banks are loaded after Initialize");
    if (!m_device || m_released) return nullptr;
    std::error_code ec;
    std::string canonical = std::filesystem::weakly_canonical(path, ec).string();
    if (ec || canonical.empty()) canonical = path;
    for (auto& bank : m_banks)
        if (bank->Path() == canonical) return bank.get();

    std::vector<BankEntry> entries;
    std::string error;
    std::vector<std::string> problems;
    if (!SoundBank::Read(path, entries, error, problems)) {
        ReportProblem(Error, "Could not load a sound bank", path + ": " + error);
        return nullptr;
    }
    for (const std::string& problem : problems)
        ReportProblem(Warning, "A sound bank entry was left out", path + ":" + problem);

    auto bank = std::make_unique<SoundBank>(canonical);
    for (const BankEntry& entry : entries) {
        if (m_eventsByPath.count(entry.path)) {
            ReportProblem(Warning, "A sound event is defined twice; the first one is kept",
                          path + ":" + std::to_string(entry.line) + ": " + entry.path);
            continue;
        }
        const CachedSample* sample = m_samples->Get(entry.sampleFile, error);
        if (!sample)
            ReportProblem(Warning, "A sound sample could not be loaded; its event is silent",
                          path + ":" + std::to_string(entry.line) + ": " + entry.sampleFile + ": " + error);
        EventDescription* description = bank->Add(std::make_unique<EventDescription>(
            *this, entry.path, sample, entry.loop, entry.positioned, entry.volume));
        m_eventsByPath.emplace(entry.path, description);
    }
    m_banks.push_back(std::move(bank));
    return m_banks.back().get();
}

EventDescription* StudioSystem::GetEvent(const std::string& path) const {
    auto found = m_eventsByPath.find(path);
    return found == m_eventsByPath.end() ? nullptr : found->second;
}

void StudioSystem::SetListenerAttributes(int index, const ListenerAttributes& attributes) {
    ASSERT(index == 0, "only listener 0 exists");
    if (index != 0) return;
    Enqueue([this, attributes] { m_device->SetListener(attributes); });
}

void StudioSystem::SetPaused(bool paused) {
    Enqueue([this, paused] { ApplyPaused(paused); });
}

void StudioSystem::PlaySamples(SampleBuffer samples, float volume) {
    auto shared = std::make_shared<SampleBuffer>(std::move(samples));
    Enqueue([this, shared, volume] { ApplySamples(*shared, volume); });
}

void StudioSystem::Update() {
    if (!m_device) return;
    std::vector<std::function<void()>> commands;
    {
        std::lock_guard<std::mutex> guard(m_queueMutex);
        if (m_released) return;
        commands.swap(m_queue);
    }
    for (auto& command : commands) command();
    for (size_t i = 0; i < m_channels.size(); ++i) {
        Channel& channel = m_channels[i];
        if (channel.inUse && !channel.held && !m_device->IsBusy(channel.voice)) FreeChannel(static_cast<int>(i));
    }
}

void StudioSystem::Release() {
    {
        std::lock_guard<std::mutex> guard(m_queueMutex);
        if (m_released) return;
        m_released = true;
        m_queue.clear();
    }
    if (!m_device) return;
    for (size_t i = 0; i < m_channels.size(); ++i) {
        if (m_channels[i].inUse) FreeChannel(static_cast<int>(i));
        m_device->DestroyVoice(m_channels[i].voice);
    }
    m_channels.clear();
    m_instances.clear();
    m_eventsByPath.clear();
    m_banks.clear();
    m_samples.reset();
    m_device.reset();
}

void StudioSystem::UnloadBanks() {
    {
        std::lock_guard<std::mutex> guard(m_queueMutex);
        if (m_released) return;
        m_queue.clear(); // requests name instances that are about to go
    }
    if (!m_device) return;
    for (size_t i = 0; i < m_channels.size(); ++i)
        if (m_channels[i].inUse) FreeChannel(static_cast<int>(i));
    m_instances.clear();
    m_eventsByPath.clear();
    m_banks.clear();
    m_samples->Clear();
}

size_t StudioSystem::BusyChannelCount() const {
    return static_cast<size_t>(
        std::count_if(m_channels.begin(), m_channels.end(), [](const Channel& c) { return c.inUse; }));
}

EventInstance* StudioSystem::NewInstance(const EventDescription& description) {
    m_instances.push_back(std::unique_ptr<EventInstance>(new EventInstance(*this, description)));
    return m_instances.back().get();
}

void StudioSystem::Enqueue(std::function<void()> command) {
    std::lock_guard<std::mutex> guard(m_queueMutex);
    if (!m_released) m_queue.push_back(std::move(command));
}

void StudioSystem::ApplyStart(EventInstance& instance) {
    const EventDescription& description = instance.m_description;
    if (!description.Sample()) return;
    if (instance.m_channel < 0) {
        instance.m_channel = AcquireChannel();
        if (instance.m_channel < 0) return;
        m_channels[instance.m_channel].owner = &instance;
    }
    Channel& channel = m_channels[instance.m_channel];
    m_device->Assign(channel.voice, description.Sample()->buffer, description.IsLooping());
    ApplyVolume(instance);
    ApplyPosition(instance);
    channel.held = m_paused;
    if (!m_paused) m_device->Play(channel.voice);
}

void StudioSystem::ApplyStop(EventInstance& instance) {
    if (instance.m_channel >= 0) FreeChannel(instance.m_channel);
}

void StudioSystem::ApplyVolume(EventInstance& instance) {
    if (instance.m_channel < 0) return;
    m_device->SetGain(m_channels[instance.m_channel].voice, instance.m_volume * instance.m_description.BaseVolume());
}

void StudioSystem::ApplyPosition(EventInstance& instance) {
    if (instance.m_channel < 0) return;
    m_device->SetPlacement(m_channels[instance.m_channel].voice, instance.m_description.IsPositioned(),
                           instance.m_position);
}

void StudioSystem::ApplyRelease(EventInstance& instance) {
    ApplyStop(instance);
    auto found = std::find_if(m_instances.begin(), m_instances.end(),
                              [&instance](const std::unique_ptr<EventInstance>& p) { return p.get() == &instance; });
    if (found != m_instances.end()) m_instances.erase(found);
}

void StudioSystem::ApplyPaused(bool paused) {
    if (paused == m_paused) return;
    m_paused = paused;
    for (Channel& channel : m_channels) {
        if (!channel.inUse) continue;
        if (paused) {
            // A sound that already ended is freed at this Update's sweep, not held.
            if (!m_device->IsBusy(channel.voice)) continue;
            m_device->Pause(channel.voice);
            channel.held = true;
        } else if (channel.held) {
            m_device->Play(channel.voice);
            channel.held = false;
        }
    }
}

void StudioSystem::ApplySamples(const SampleBuffer& samples, float volume) {
    if (samples.samples.empty()) return;
    AudioBufferId buffer = m_device->CreateBuffer(samples);
    if (buffer == 0) return;
    int index = AcquireChannel();
    if (index < 0) {
        m_device->DestroyBuffer(buffer);
        return;
    }
    Channel& channel = m_channels[index];
    channel.ownBuffer = buffer;
    m_device->Assign(channel.voice, buffer, false);
    m_device->SetGain(channel.voice, volume);
    m_device->SetPlacement(channel.voice, false, glm::vec3(0.0f));
    channel.held = m_paused;
    if (!m_paused) m_device->Play(channel.voice);
}

int StudioSystem::AcquireChannel() {
    for (size_t i = 0; i < m_channels.size(); ++i) {
        if (!m_channels[i].inUse) {
            m_channels[i].inUse = true;
            m_channels[i].held = false;
            return static_cast<int>(i);
        }
    }
    if (!m_reportedFull) {
        m_reportedFull = true;
        ReportProblem(Warning, "Every sound channel is busy; a sound was dropped",
                      std::to_string(m_channels.size()) + " channels");
    }
    return -1;
}

void StudioSystem::FreeChannel(int index) {
    Channel& channel = m_channels[index];
    // Detach the buffer so that a raw-sample buffer can be destroyed and a shared one reused.
    m_device->Assign(channel.voice, 0, false);
    if (channel.ownBuffer) m_device->DestroyBuffer(channel.ownBuffer);
    if (channel.owner) channel.owner->m_channel = -1;
    channel = Channel{channel.voice};
}

} // namespace zumek
