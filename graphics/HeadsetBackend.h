// graphics/HeadsetBackend.h
#pragma once
#include <string>

#include <glm/gtc/quaternion.hpp>
#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

namespace zumek {

/// Where one eye looks from this frame: its pose in the headset's tracking space (metres, y up,
/// -z forward) and its projection (right-handed, near 0.2, far 10000, column-major).
struct HeadsetEyeView {
    glm::vec3 position{0.0f};
    glm::quat orientation{1.0f, 0.0f, 0.0f, 0.0f};
    glm::mat4 projection{1.0f};
};

/// The mirror of the submitted frame, for the game window: a GL texture and its size; rows run
/// from the top when `topDown`.
struct HeadsetMirror {
    unsigned texture = 0;
    glm::ivec2 size{0};
    bool topDown = true;
};

/// One headset runtime behind the headset engine (Oculus). Calls come from the thread that owns
/// the GL context, in this order: Open (before the context exists); CreateTargets; per frame
/// BeginFrame, then (when it said so) for each eye AcquireEyeTexture, AcquireEyeDepthTexture and
/// ReleaseEyeTexture, then SubmitFrame;
/// HeadsetPresent now and then; Close at the end or when the headset is gone. No runtime type
/// leaves a back end: the renderer sees GL names, sizes, poses and projections.
class HeadsetBackend {
public:
    virtual ~HeadsetBackend() = default;

    /// Opens the runtime and the headset; false when there is none (silently: most players
    /// have no headset) or when the runtime refused (one log line). Close releases what Open got.
    virtual bool Open() = 0;
    /// "<back end> <runtime>: <headset>, <width>x<height>" for the log.
    virtual std::string Describe() const = 0;
    /// The headset display's resolution in pixels (both eyes).
    virtual glm::ivec2 DisplayResolution() const = 0;

    /// With the GL context current: eye texture chains and the mirror. A failure shows its
    /// message; false when the eyes cannot be rendered to.
    virtual bool CreateTargets() = 0;
    /// The size of an eye's textures (after CreateTargets).
    virtual glm::ivec2 EyeSize(int eye) const = 0;

    /// Reads the head pose for the frame about to be drawn; false when the runtime wants no eyes
    /// drawn this frame (the window then shows the game; SubmitFrame is still called).
    virtual bool BeginFrame(HeadsetEyeView views[2]) = 0;
    /// The GL texture the eye is drawn into this frame (0: none).
    virtual unsigned AcquireEyeTexture(int eye) = 0;
    /// The runtime's depth texture for the eye this frame (0: the headset engine uses its own).
    virtual unsigned AcquireEyeDepthTexture(int /*eye*/) { return 0; }
    /// The eye's drawing is done (its colour and depth textures go back to the runtime).
    virtual void ReleaseEyeTexture(int /*eye*/) {}
    /// Hands the frame to the runtime; false when the runtime refused it.
    virtual bool SubmitFrame() = 0;
    virtual HeadsetMirror Mirror() const = 0;

    /// Whether the headset is still there (called about twice a second).
    virtual bool HeadsetPresent() = 0;
    /// Releases everything: GL textures, the session, the runtime. Safe to call more than once.
    virtual void Close() = 0;
};

} // namespace zumek
