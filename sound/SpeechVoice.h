// sound/SpeechVoice.h
#pragma once
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "sound/SampleBuffer.h"

namespace zumek {

class StudioSystem;

/// Reads caption lines aloud: espeak-ng synthesises each line on the voice's own thread and the
/// samples play through the studio system. Lines said while another is being synthesised wait
/// their turn; their playback may overlap. Without voice data nothing is spoken, after one log
/// line; without an audio device nothing is synthesised at all.
class SpeechVoice {
public:
    /// Prepares espeak-ng (once per process, shared by every voice) and starts the thread.
    explicit SpeechVoice(StudioSystem& system);
    /// Drops the lines not yet synthesised, waits for the one in progress, and ends the thread.
    ~SpeechVoice();
    SpeechVoice(const SpeechVoice&) = delete;
    SpeechVoice& operator=(const SpeechVoice&) = delete;

    /// Queues `text` to be spoken; returns at once. Empty lines are ignored. Any thread.
    void Say(const std::string& text);
    /// Blocks until every line said so far has been synthesised and handed to the studio system.
    void WaitUntilIdle();
    /// Whether lines are spoken at all (a device to hear them and voice data to make them).
    bool IsAvailable() const { return m_available; }

    /// Synthesises `text` into mono 16-bit samples; false when espeak-ng has no voice data.
    /// Serialised with every other synthesis, since espeak-ng keeps global state.
    static bool Synthesize(const std::string& text, SampleBuffer& out);

    /// The voice the caption window speaks through (set by the sound engine); may be null.
    static void SetCurrent(SpeechVoice* voice);
    /// Says `text` with the current voice; nothing when there is none.
    static void SayWithCurrent(const std::string& text);

private:
    void Run();

    StudioSystem& m_system;
    bool m_available = false;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<std::string> m_lines;
    bool m_busy = false;
    bool m_stopping = false;
    std::thread m_thread; ///< last: started once every other member is ready
};

} // namespace zumek
