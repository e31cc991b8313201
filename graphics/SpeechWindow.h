// graphics/SpeechWindow.h
#pragma once
#include <functional>
#include <string>

namespace zumek {

/// The caption box of spoken lines: Say shows the text for three seconds (drawn in the overlay
/// frame) and hands it to the voice, if one is installed.
class SpeechWindow {
public:
    static SpeechWindow& Instance();

    /// Shows `text` from the next overlay frame on (restarting the three seconds) and speaks it.
    void Say(const std::string& text);
    void Show() { m_active = true; }
    void Hide() { m_active = false; }
    /// Draws the caption into the current overlay frame; `width` x `height` is the window's
    /// client size, `dt` the frame time in seconds.
    void Draw(int width, int height, float dt);

    /// The voice that reads each line aloud (called on the main thread; it must not block).
    /// Without one the caption still shows.
    void SetSpeaker(std::function<void(const std::string&)> speaker) { m_speaker = std::move(speaker); }

    /// The caption box's size in pixels for `text` in a window `clientWidth` wide: one row of
    /// height 30 while 11 pixels per character fit in a quarter of the width, else wrapped.
    static void CaptionSize(const std::string& text, int clientWidth, float& width, float& height);

    bool IsActive() const { return m_active; }
    const std::string& Text() const { return m_text; }
    float ShownFor() const { return m_shownFor; }

    static constexpr float kShowSeconds = 3.0f;

private:
    SpeechWindow() = default;
    std::string m_text;
    bool m_active = false;
    float m_shownFor = 0.0f;
    std::function<void(const std::string&)> m_speaker;
};

} // namespace zumek
