// sound/SoundEngine.cpp
#include "sound/SoundEngine.h"

#include "content/ContentType.h"
#include "engine/EngineLog.h"
#include "engine/SignalManager.h"
#include "sound/SoundSerializer.h"
#include "sound/SpeechVoice.h"
#include "sound/StudioSystem.h"

namespace zumek {
namespace {

constexpr int kSpeakerMode51 = 6;

} // namespace

SoundEngine::SoundEngine(std::unique_ptr<AudioDevice> device) {
    m_system = StudioSystem::Create(kStudioHeaderVersion);
    m_system->SetSoftwareFormat(0, kSpeakerMode51, 0);
    m_system->Initialize(kChannels, 0, 0, std::move(device));
    SignalManager::Connect<SoundSignal>(this);
    SignalManager::Connect<MusicSignal>(this);
    SignalManager::Connect<SfxSignal>(this);
    SignalManager::Connect<Sound3DSignal>(this);
    SignalManager::Connect<ListenerPositionSignal>(this);
}

SoundEngine::~SoundEngine() { Shutdown(); }

void SoundEngine::LoadBanks() {
    // Every bank of the folder first, so the event table can name events of any of them.
    for (const std::string& name : ListContent(ContentType::SoundBank))
        m_system->LoadBankFile(GetContentPath(ContentType::SoundBank, name), 0);
    LoadSoundEvents();
}

void SoundEngine::ReloadSounds() {
    // The instances go with the banks: the table's handles are dropped, not released one by one.
    m_events.clear();
    m_lastBank = nullptr;
    m_system->UnloadBanks();
    LoadBanks();
}

void SoundEngine::Initialize() {
    LoadBanks();
    m_listener = ListenerAttributes{};
    m_system->SetListenerAttributes(0, m_listener);
    m_voice = std::make_unique<SpeechVoice>(*m_system);
    SpeechVoice::SetCurrent(m_voice.get());
}

void SoundEngine::Update() {
    if (!m_paused) m_system->Update();
}

void SoundEngine::Shutdown() {
    if (m_voice) {
        SpeechVoice::SetCurrent(nullptr);
        // The voice's thread hands samples to the studio system: it ends before the system does.
        m_voice.reset();
    }
    m_events.clear();
    m_system->Release();
}

void SoundEngine::LoadSoundEvents() {
    std::vector<std::string> tables = ListContent(ContentType::SoundEvent);
    if (tables.empty()) return;
    std::unordered_map<std::string, std::string> table = SoundSerializer(tables.front()).Deserialize();
    // Banks first: the table is unordered, and its events may live in the banks it names.
    for (const auto& [name, path] : table)
        if (name.find("bus") != std::string::npos)
            m_lastBank = m_system->LoadBankFile(GetContentPath(ContentType::SoundBank, name), 0);
    for (const auto& [name, path] : table) {
        if (name.find("bus") != std::string::npos) continue;
        SoundEvent event;
        event.description = m_system->GetEvent(path);
        if (event.description) event.instance = event.description->CreateInstance();
        else ReportProblem(Warning, "A sound event names no event of any bank", name + " -> " + path);
        auto [slot, added] = m_events.try_emplace(name, event);
        if (!added) {
            if (slot->second.instance) slot->second.instance->Release();
            slot->second = event;
        }
    }
}

void SoundEngine::ReleaseEvents() {
    for (auto& [name, event] : m_events)
        if (event.instance) event.instance->Release();
    m_events.clear();
}

EventInstance* SoundEngine::Find(const std::string& name) const {
    auto found = m_events.find(name);
    return found == m_events.end() ? nullptr : found->second.instance;
}

void SoundEngine::Handle(MusicSignal signal) {
    EventInstance* instance = Find(signal.name);
    if (!instance) return;
    if (signal.play) {
        instance->SetVolume(kMusicVolume);
        instance->Start();
    } else {
        instance->StopImmediate();
    }
}

void SoundEngine::Handle(SfxSignal signal) {
    EventInstance* instance = Find(signal.name);
    if (!instance) return;
    instance->SetVolume(kEffectVolume);
    instance->Start();
}

void SoundEngine::Handle(SoundSignal signal) {
    switch (signal) {
    case SOUND_PAUSE_MUSIC: m_system->SetPaused(true); break;
    case SOUND_RESUME_MUSIC: m_system->SetPaused(false); break;
    case SOUND_RELOAD_EVENTS:
        ReleaseEvents();
        LoadSoundEvents();
        break;
    case SOUND_PAUSE_ALL: m_paused = true; break;
    case SOUND_RESUME_ALL: m_paused = false; break;
    default: break;
    }
}

void SoundEngine::Handle(Sound3DSignal signal) {
    EventInstance* instance = Find(signal.name);
    if (!instance) return;
    Attributes3D attributes;
    attributes.position = {signal.x, signal.y, signal.z};
    instance->Set3DAttributes(attributes);
    if (signal.play) instance->Start();
}

void SoundEngine::Handle(ListenerPositionSignal signal) {
    m_listener.position = {signal.x, signal.y, signal.z};
    m_system->SetListenerAttributes(0, m_listener);
}

} // namespace zumek
