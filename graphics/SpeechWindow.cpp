// graphics/SpeechWindow.cpp
#include "graphics/SpeechWindow.h"

#include <imgui.h>

#include <cmath>

namespace zumek {

SpeechWindow& SpeechWindow::Instance() {
    static SpeechWindow* instance = new SpeechWindow();
    return *instance;
}

void SpeechWindow::Say(const std::string& text) {
    m_text = text;
    m_active = true;
    m_shownFor = 0.0f;
    if (m_speaker) m_speaker(text);
}

void SpeechWindow::CaptionSize(const std::string& text, int clientWidth, float& width, float& height) {
    const float quarter = static_cast<float>(clientWidth) * 0.25f;
    const float textWidth = static_cast<float>(text.size()) * 11.0f;
    width = textWidth;
    height = 30.0f;
    if (textWidth > quarter) {
        height = (std::ceil(textWidth / quarter) + 1.0f) * 30.0f;
        width = quarter;
    }
}

void SpeechWindow::Draw(int width, int height, float dt) {
    if (!m_active) return;
    float boxWidth = 0, boxHeight = 0;
    CaptionSize(m_text, width, boxWidth, boxHeight);
    const float quarter = static_cast<float>(width) * 0.25f;
    const float x = quarter - boxWidth * 0.3f;
    const int y = height + height / 11 - height / 2;
    ImGui::SetNextWindowPos(ImVec2(x, static_cast<float>(y)), ImGuiCond_Always);
    ImGui::SetNextWindowSize(ImVec2(boxWidth, boxHeight), ImGuiCond_Always);
    ImGui::SetNextWindowBgAlpha(0.5f);
    // The title must be unique and non-empty for ImGui; the caption is the window's content.
    ImGui::Begin("##caption", &m_active,
                 ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove |
                     ImGuiWindowFlags_NoScrollbar | ImGuiWindowFlags_NoSavedSettings);
    ImGui::SetWindowFontScale(1.3f);
    ImGui::PushTextWrapPos(0.0f);
    ImGui::TextUnformatted(m_text.c_str(), m_text.c_str() + m_text.size());
    ImGui::PopTextWrapPos();
    ImGui::End();
    m_shownFor += dt;
    if (m_shownFor > kShowSeconds || m_text.empty()) {
        m_shownFor = 0.0f;
        m_active = false;
    }
}

} // namespace zumek
