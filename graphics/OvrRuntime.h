// graphics/OvrRuntime.h
#pragma once
#include <string>
#include <vector>

#include <glm/mat4x4.hpp>

#include "graphics/OvrRuntimeApi.h"

namespace zumek {

/// The headset runtime library, found and bound at run time. Load tries, in this order, the
/// working directory, the executable's folder, the folder named by LIBOVR_DLL_DIR (a '/' is
/// appended when it has none) and the system's search path; the first library that loads is
/// used. It must offer every entry point of OVR_RUNTIME_ENTRY_POINTS: one that lacks any is
/// refused with one log line naming it. Without a library nothing is logged (most players have
/// no headset).
class OvrRuntime {
public:
    OvrRuntime() = default;
    ~OvrRuntime() { Unload(); }
    OvrRuntime(const OvrRuntime&) = delete;
    OvrRuntime& operator=(const OvrRuntime&) = delete;

    bool Load();
    /// Forgets every entry point and closes the library (no runtime call is made).
    void Unload();
    bool Loaded() const { return m_library != nullptr; }
    /// The file the runtime was loaded from ("" before Load).
    const std::string& Path() const { return m_path; }

    /// The files Load tries, in order, for a working directory, an executable folder and a
    /// LIBOVR_DLL_DIR value (each may be empty: that place is then left out).
    static std::vector<std::string> CandidatePaths(const std::string& workingDirectory, const std::string& executableFolder,
                                                   const std::string& runtimeFolder);

#define ZUMEK_OVR_ENTRY_POINT(name) decltype(&::name) name = nullptr;
    OVR_RUNTIME_ENTRY_POINTS(ZUMEK_OVR_ENTRY_POINT)
#undef ZUMEK_OVR_ENTRY_POINT

private:
    bool Bind();

    void* m_library = nullptr;
    std::string m_path;
};

/// The two eye poses for a head pose: the head's orientation, at the head's position plus the
/// eye offset turned by that orientation.
void OvrCalcEyePoses(const OvrPose& head, const OvrVec3 hmdToEyeOffset[2], OvrPose eyePoses[2]);

/// The right-handed OpenGL projection of a field of view, from `zNear` to `zFar` (column-major,
/// clip z from -1 to 1).
glm::mat4 OvrProjection(const OvrFov& fov, float zNear, float zFar);

} // namespace zumek
