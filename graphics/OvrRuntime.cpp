// graphics/OvrRuntime.cpp
#include "graphics/OvrRuntime.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>

#include "engine/EngineLog.h"

namespace zumek {
namespace {

std::string WithSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return folder;
}

std::string WorkingDirectory() {
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

std::string ExecutableFolder() {
    char buffer[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0) return {};
    std::string path(buffer, static_cast<size_t>(length));
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

std::vector<std::string> OvrRuntime::CandidatePaths(const std::string& workingDirectory, const std::string& executableFolder,
                                                    const std::string& runtimeFolder) {
    std::vector<std::string> paths;
    for (const std::string& folder : {workingDirectory, executableFolder, runtimeFolder})
        if (!folder.empty()) paths.push_back(WithSlash(folder) + OVR_RUNTIME_LIBRARY_NAME);
    // A bare name: the dynamic linker's own search path.
    paths.push_back(OVR_RUNTIME_LIBRARY_NAME);
    return paths;
}

bool OvrRuntime::Load() {
    if (m_library) return true;
    const char* runtimeFolder = std::getenv("LIBOVR_DLL_DIR");
    for (const std::string& path :
         CandidatePaths(WorkingDirectory(), ExecutableFolder(), runtimeFolder ? runtimeFolder : "")) {
        m_library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!m_library) continue;
        m_path = path;
        return Bind();
    }
    return false;
}

bool OvrRuntime::Bind() {
#define ZUMEK_OVR_BIND(name)                                                                                          \
    name = reinterpret_cast<decltype(name)>(dlsym(m_library, #name));                                                \
    if (!name) {                                                                                                       \
        ReportProblem(Error, "Headset runtime " + m_path + " lacks the entry point " #name "; no headset is used");   \
        Unload();                                                                                                      \
        return false;                                                                                                  \
    }
    OVR_RUNTIME_ENTRY_POINTS(ZUMEK_OVR_BIND)
#undef ZUMEK_OVR_BIND
    return true;
}

void OvrRuntime::Unload() {
#define ZUMEK_OVR_FORGET(name) name = nullptr;
    OVR_RUNTIME_ENTRY_POINTS(ZUMEK_OVR_FORGET)
#undef ZUMEK_OVR_FORGET
    if (m_library) dlclose(m_library);
    m_library = nullptr;
    m_path.clear();
}

void OvrCalcEyePoses(const OvrPose& head, const OvrVec3 hmdToEyeOffset[2], OvrPose eyePoses[2]) {
    const glm::quat orientation(head.orientation.w, head.orientation.x, head.orientation.y, head.orientation.z);
    for (int eye = 0; eye < 2; ++eye) {
        const glm::vec3 offset = orientation * glm::vec3(hmdToEyeOffset[eye].x, hmdToEyeOffset[eye].y, hmdToEyeOffset[eye].z);
        eyePoses[eye].orientation = head.orientation;
        eyePoses[eye].position = {head.position.x + offset.x, head.position.y + offset.y, head.position.z + offset.z};
    }
}

glm::mat4 OvrProjection(const OvrFov& fov, float zNear, float zFar) {
    return glm::frustum(-fov.leftTan * zNear, fov.rightTan * zNear, -fov.downTan * zNear, fov.upTan * zNear, zNear, zFar);
}

} // namespace zumek
