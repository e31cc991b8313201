// game/InspectorWindow.h
#pragma once
#include <chrono>
#include <vector>

#include "engine/System.h"
#include "game/InspectorModel.h"

namespace zumek {

/// The inspector: F1 shows or hides an overlay window over the InspectorModel (place stack,
/// objects, the selected object's fields editable live, frame and physics times, counts).
/// As a system (after the renderer) it takes the F1 key and records each frame's times; the
/// window itself is drawn in the overlay frame.
class InspectorWindow final : public System {
public:
    /// Adds the window to the overlay.
    InspectorWindow();

    void Update(float dt, std::vector<Object*>& objects) override;
    void Shutdown() override {}

    InspectorModel& Model() { return m_model; }
    bool IsOpen() const { return m_model.IsVisible(); }

private:
    void Draw(int width, int height);

    InspectorModel m_model;
    std::chrono::steady_clock::time_point m_lastFrame;
    bool m_hasLastFrame = false;
};

} // namespace zumek
