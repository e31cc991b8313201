// physics/Body.h
#pragma once
#include <cstdint>
#include <memory>

#include <glm/gtc/quaternion.hpp>
#include <glm/mat3x3.hpp>
#include <glm/vec3.hpp>

#include "objects/Component.h"
#include "physics/Collider.h"
#include "physics/Material.h"

namespace zumek {

class Transform;

/// A rigid body with one collider and a material; its pose follows the owner's Transform.
///
/// Units: lengths in world units (metres), time in seconds, velocities in units per second,
/// angular velocities in radians per second. Gravity is a constant 5 units/s² downwards.
class Body final : public Component {
public:
    /// Shape indices as level files name them: "Sphere" 0, "Plane" 1, "Box" 2, "Ghost" 3 (a box
    /// that overlaps but produces no contacts).
    static constexpr int32_t kShapeSphere = 0;
    static constexpr int32_t kShapePlane = 1;
    static constexpr int32_t kShapeBox = 2;
    static constexpr int32_t kShapeGhost = 3;

    /// Downward acceleration along y, units/s², the same for every body whatever its mass.
    static constexpr float kGravity = 5.0f;
    /// A body whose |v|² + |ω|² stays below this for kStepsToSleep steps in a row falls asleep.
    static constexpr float kSleepThreshold = 0.03f;
    /// Half a second of steps at 60 per second: a body at rest in the air is slow for one step
    /// (gravity has only just started), so one slow step alone must not put it to sleep.
    static constexpr int32_t kStepsToSleep = 30;
    /// Horizontal speed cap, units/s: above it the whole velocity (y included) is rescaled.
    static constexpr float kMaxHorizontalSpeed = 2.0f;
    /// Factor on the angular velocity per step.
    static constexpr float kAngularDamping = 0.9f;

    /// `extents`: full size along x, y, z in world units. A shape index outside 0..3 gives a
    /// plane, a material id outside the table "Wall".
    Body(const glm::vec3& extents, int32_t shape, int32_t materialId, bool isStatic,
         const glm::vec3& velocity = glm::vec3(0.0f));

    /// Keeps the owner's transform and takes the orientation from its rotation.
    void Initialize() override;
    /// Velocities, force and torque back to zero; awake and deep-contact flags stay.
    void Respawn() override;

    // Simulation, driven by the physics step.

    /// One explicit step of `timeStep` seconds (negative when stepping backwards): gravity and
    /// accumulated force, the horizontal speed cap, the move, damping, the sleep count. Static
    /// bodies only take their orientation from the transform; sleeping bodies (other than the
    /// player's) do nothing.
    void Integrate(float timeStep);
    /// Velocities zeroed, awake flag cleared.
    void Sleep();
    /// Awake flag set; a sleeping body must again stay slow for half a second before it sleeps.
    void Wake();
    /// Writes position, orientation and scale into the transform's world matrix.
    void SyncTransform();
    /// Position of the owner's transform, or the origin for a body without one.
    glm::vec3 GetPosition() const;
    /// Reads the position from the transform and gives the collider its pose; the physics step
    /// calls it for every body before it looks for overlaps. A sleeping body found moved (by a
    /// script) wakes.
    const glm::vec3& CapturePose();
    /// The position last captured: the one the colliders and the solver work with.
    const glm::vec3& GetCentre() const { return m_centre; }
    /// The body's rotation matrix (columns are the body's axes in world space).
    const glm::mat3& GetRotation() const { return m_rotation; }
    /// Whether the owner is the object tagged "player" (integrates asleep, never sleeps, keeps
    /// its angular velocity through contacts). Decided at Initialize.
    bool IsPlayer() const { return m_player; }

    // Operations scripts call. Values that are not finite are refused with one log line, so a
    // NaN from a script never reaches the solver.

    /// A mass of exactly 0 makes the body static; any other finite mass leaves it unchanged.
    /// False when the value was refused.
    bool SetMass(float mass);
    /// 1 / inverse mass, or 0 for a static or immovable body.
    float GetMass() const;
    /// Replaces the linear velocity (units/s). False when refused.
    bool SetVelocity(const glm::vec3& velocity);
    /// Adds to the linear velocity (units/s). False when refused.
    bool AddVelocity(const glm::vec3& delta);
    /// When every component lies strictly within ±2147483648: wakes the body and, unless the
    /// deep-contact flag is set, adds `force` to the force accumulator. False when refused.
    bool AddForce(const glm::vec3& force);
    /// Adds to the torque accumulator (engine code only; non-finite values are refused).
    bool AddTorque(const glm::vec3& torque);
    /// The damping and gravity-scale fields belong to the scripts: the simulation never reads them.
    void SetDamping(float damping) { m_damping = damping; }
    float GetDamping() const { return m_damping; }
    void SetGravityScale(float scale) { m_gravityScale = scale; }
    float GetGravityScale() const { return m_gravityScale; }
    /// Set by the physics step while the player is pressed deep into something.
    bool IsDeepContact() const { return m_deepContact; }
    void SetDeepContact(bool deep) { m_deepContact = deep; }

    // Solver access.

    void SetAngularVelocity(const glm::vec3& angularVelocity) { m_angularVelocity = angularVelocity; }
    /// The solver's writes: no checks, the solver only produces finite values. `awake` wakes
    /// the body without restarting its count of slow steps.
    void SetVelocities(const glm::vec3& velocity, const glm::vec3& angularVelocity, bool awake);

    /// The body's place in the solver's arrays during a step.
    void SetSolverIndex(int32_t index) { m_solverIndex = index; }
    int32_t GetSolverIndex() const { return m_solverIndex; }

    const glm::vec3& GetExtents() const { return m_extents; }
    int32_t GetShape() const { return m_shape; }
    const Material& GetMaterial() const { return m_material; }
    bool IsStatic() const { return m_static; }
    bool IsAwake() const { return m_awake; }
    /// Steps in a row spent below the sleep threshold.
    int32_t GetSlowSteps() const { return m_slowSteps; }
    /// 0 for static bodies and bodies without volume.
    float GetInverseMass() const { return m_inverseMass; }
    const glm::mat3& GetLocalInverseInertia() const { return m_localInverseInertia; }
    const glm::mat3& GetWorldInverseInertia() const { return m_worldInverseInertia; }
    const glm::quat& GetOrientation() const { return m_orientation; }
    const glm::vec3& GetVelocity() const { return m_velocity; }
    const glm::vec3& GetAngularVelocity() const { return m_angularVelocity; }
    const glm::vec3& GetForce() const { return m_force; }
    const glm::vec3& GetTorque() const { return m_torque; }
    Collider* GetCollider() const { return m_collider.get(); }
    Transform* GetTransform() const { return m_transform; }

private:
    void UpdateOrientationFrom(const glm::vec3& radians);
    /// Normalises the orientation (zero becomes identity), then derives R and the world inertia.
    void UpdateDerived();
    /// Logs the refusal of a non-finite or out-of-range value given to `operation`.
    void ReportRefused(const char* operation, const glm::vec3& value) const;

    float m_inverseMass = 0.0f;
    glm::mat3 m_localInverseInertia{0.0f};
    glm::mat3 m_worldInverseInertia{0.0f};
    bool m_static;
    Transform* m_transform = nullptr;
    glm::vec3 m_extents;
    int32_t m_shape;
    glm::quat m_orientation{1.0f, 0.0f, 0.0f, 0.0f}; ///< identity
    glm::mat3 m_rotation{1.0f};
    glm::vec3 m_centre{0.0f};
    glm::vec3 m_velocity;
    glm::vec3 m_angularVelocity{0.0f};
    bool m_awake = true;
    bool m_player = false;
    int32_t m_slowSteps = 0;
    int32_t m_solverIndex = -1;
    float m_gravityScale = 1.0f; ///< read and written by scripts only
    float m_damping = 0.95f;     ///< read and written by scripts only
    float m_angularDamping = kAngularDamping;
    glm::vec3 m_force{0.0f};
    bool m_deepContact = false;
    glm::vec3 m_torque{0.0f};
    std::unique_ptr<Collider> m_collider;
    Material m_material;
};

} // namespace zumek
