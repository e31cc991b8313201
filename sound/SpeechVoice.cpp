// sound/SpeechVoice.cpp
#include "sound/SpeechVoice.h"

#include <espeak-ng/speak_lib.h>

#include "engine/EngineLog.h"
#include "sound/StudioSystem.h"

namespace zumek {
namespace {

constexpr float kSpeechVolume = 1.0f;

/// espeak-ng's global state: one synthesis at a time in the whole process.
std::mutex& EspeakMutex() {
    static std::mutex mutex;
    return mutex;
}

/// The sample rate espeak-ng reports, 0 before it is set up, -1 when it has no voice data.
/// Guarded by EspeakMutex.
int g_espeakRate = 0;

std::mutex g_currentMutex;
SpeechVoice* g_current = nullptr;

int CollectSamples(short* samples, int count, espeak_EVENT* events) {
    auto* out = static_cast<SampleBuffer*>(events ? events->user_data : nullptr);
    if (out && samples && count > 0) out->samples.insert(out->samples.end(), samples, samples + count);
    return 0; // go on synthesising
}

/// Sets espeak-ng up on first use; false when it has no voice data. Caller holds EspeakMutex.
bool PrepareEspeak() {
    if (g_espeakRate == 0) {
        // DONT_EXIT: without it, missing voice data ends the whole process.
        int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, espeakINITIALIZE_DONT_EXIT);
        // Initialisation reports success even without data; choosing a voice tells the truth.
        if (rate <= 0 || espeak_SetVoiceByName("en") != EE_OK) {
            g_espeakRate = -1;
        } else {
            g_espeakRate = rate;
            espeak_SetSynthCallback(&CollectSamples);
        }
    }
    return g_espeakRate > 0;
}

} // namespace

SpeechVoice::SpeechVoice(StudioSystem& system) : m_system(system) {
    // Without a device nothing would be heard: the studio system already said so once.
    if (m_system.IsAudible()) {
        bool prepared;
        {
            std::lock_guard<std::mutex> guard(EspeakMutex());
            prepared = PrepareEspeak();
        }
        if (!prepared)
            ReportProblem(Warning, "No speech voice data; caption lines are not spoken",
                          "espeak-ng found no voice (is espeak-ng-data installed?)");
        m_available = prepared;
    }
    m_thread = std::thread(&SpeechVoice::Run, this);
}

SpeechVoice::~SpeechVoice() {
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        m_stopping = true;
        m_lines.clear();
    }
    m_wake.notify_all();
    m_thread.join();
}

void SpeechVoice::Say(const std::string& text) {
    if (!m_available || text.empty()) return;
    {
        std::lock_guard<std::mutex> guard(m_mutex);
        if (m_stopping) return;
        m_lines.push_back(text);
    }
    m_wake.notify_one();
}

void SpeechVoice::WaitUntilIdle() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_idle.wait(lock, [this] { return (m_lines.empty() && !m_busy) || m_stopping; });
}

bool SpeechVoice::Synthesize(const std::string& text, SampleBuffer& out) {
    std::lock_guard<std::mutex> guard(EspeakMutex());
    if (!PrepareEspeak()) return false;
    out.samples.clear();
    out.channels = 1;
    out.sampleRate = g_espeakRate;
    espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_AUTO, nullptr, &out);
    espeak_Synchronize();
    return true;
}

void SpeechVoice::SetCurrent(SpeechVoice* voice) {
    std::lock_guard<std::mutex> guard(g_currentMutex);
    g_current = voice;
}

void SpeechVoice::SayWithCurrent(const std::string& text) {
    std::lock_guard<std::mutex> guard(g_currentMutex);
    if (g_current) g_current->Say(text);
}

void SpeechVoice::Run() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_lines.empty(); });
        if (m_stopping) break;
        std::string line = std::move(m_lines.front());
        m_lines.pop_front();
        m_busy = true;
        lock.unlock();
        SampleBuffer samples;
        if (Synthesize(line, samples) && !samples.samples.empty()) m_system.PlaySamples(std::move(samples), kSpeechVolume);
        lock.lock();
        m_busy = false;
        if (m_lines.empty()) m_idle.notify_all();
    }
    m_idle.notify_all();
}

} // namespace zumek
