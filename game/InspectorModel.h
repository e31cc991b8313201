// game/InspectorModel.h
#pragma once
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "engine/SignalHandler.h"
#include "engine/Signals.h"

namespace zumek {

class Object;

/// What the inspector (F1) shows and changes, without any drawing: the place stack, the objects
/// of the current place, the selected object's editable fields, recent frame and physics step
/// times, and counts. The overlay window (InspectorWindow) is a thin layer over it.
///
/// The selection is kept by object id, so a selected object that is destroyed (or a place that is
/// reloaded) never leaves a stale pointer behind: Selected() looks it up again each time.
class InspectorModel : public SignalHandler<ObjectSelectSignal> {
public:
    /// How many frames the time graphs keep.
    static constexpr size_t kHistory = 120;

    struct ObjectRow {
        std::string id;
        std::string tag;
        int32_t number = 0;                  ///< the pick id a click reports
        std::vector<std::string> components; ///< component keys ("transform", "body", ...), sorted
    };

    /// The selected object's fields; absent parts are flagged off.
    struct Details {
        std::string id;
        bool hasTransform = false;
        glm::vec3 position{0.0f};
        glm::vec3 rotationDegrees{0.0f};
        glm::vec3 scale{1.0f};
        bool hasBody = false;
        glm::vec3 velocity{0.0f}; ///< units/s
        float mass = 0.0f;        ///< 0: static
        bool asleep = false;
        bool hasSprite = false;
        glm::vec3 spriteColor{1.0f}; ///< 0..1 each
        bool hasLight = false;
        glm::vec3 lightColor{1.0f}; ///< 0..1 each
    };

    struct Counts {
        size_t objects = 0;
        size_t bodies = 0;
        size_t contacts = 0;
        size_t lights = 0;
        size_t drawCalls = 0; ///< sprites drawn by the geometry pass, one draw each
    };

    /// Connects to the click picks; `listen` false for a model fed by hand (tests).
    explicit InspectorModel(bool listen = true);

    bool IsVisible() const { return m_visible; }
    void Toggle() { m_visible = !m_visible; }
    /// While false (the pointer is over the inspector window), click picks do not select.
    void SetPickingEnabled(bool enabled) { m_picking = enabled; }

    /// The place stack, bottom first.
    static std::vector<std::string> PlaceStack();
    /// One row per object, in the order given.
    static std::vector<ObjectRow> Rows(const std::vector<Object*>& objects);

    /// Selects the object of this id in the current place ("" clears the selection).
    void Select(const std::string& id) { m_selected = id; }
    /// Selects the object of the current place whose pick number is `number` (as a click on it
    /// reports); false, leaving the selection, when the current place has none.
    bool SelectByNumber(int32_t number);
    const std::string& SelectedId() const { return m_selected; }
    /// The selected object, or null when nothing is selected or it no longer exists.
    Object* Selected() const;

    /// The selected object's fields, or nothing.
    std::optional<Details> Inspect() const;
    /// Writes `edited` into the selected object (only the fields that differ from it now, so a
    /// body that is not touched stays asleep). False when the selection is gone or `edited`
    /// names another object. Values that are not finite are refused, field by field.
    bool Apply(const Details& edited);

    /// Appends one frame's wall-clock time and the physics step's time, in milliseconds.
    void RecordFrame(float frameMs, float physicsMs);
    const std::deque<float>& FrameTimes() const { return m_frameMs; }
    const std::deque<float>& PhysicsTimes() const { return m_physicsMs; }
    static Counts Count(const std::vector<Object*>& objects, size_t contacts);

    /// While the inspector is shown and picking is enabled, selects the clicked object (one log
    /// line "Inspector selected <id>").
    void Handle(ObjectSelectSignal signal) override;

private:
    bool m_visible = false;
    bool m_picking = true;
    std::string m_selected;
    std::deque<float> m_frameMs;
    std::deque<float> m_physicsMs;
};

} // namespace zumek
