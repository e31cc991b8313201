// game/InspectorWindow.h
#pragma once
#include <chrono>
#include <vector>

#include "engine/System.h"
#include "game/InspectorModel.h"

namespace zumek {

class Physics;

/// The inspector: F1 shows or hides an overlay window over the InspectorModel (place stack,
/// objects, the selected object's fields editable live, frame and physics times, counts).
/// As a system (after the renderer) it takes the F1 key and records each frame's times; the
/// window itself is drawn in the overlay frame.
class InspectorWindow final : public System {
public:
    /// Adds the window to the overlay; `physics` is the system whose step times it shows.
    explicit InspectorWindow(const Physics& physics);
    /// Takes the window out of the overlay.
    ~InspectorWindow() override;
    InspectorWindow(const InspectorWindow&) = delete;
    InspectorWindow& operator=(const InspectorWindow&) = delete;

    void Update(float dt, std::vector<Object*>& objects) override;
    void Shutdown() override {}

    InspectorModel& Model() { return m_model; }
    bool IsOpen() const { return m_model.IsVisible(); }

private:
    void Draw(int width, int height);

    const Physics& m_physics;
    InspectorModel m_model;
    std::chrono::steady_clock::time_point m_lastFrame;
    bool m_hasLastFrame = false;
};

} // namespace zumek
