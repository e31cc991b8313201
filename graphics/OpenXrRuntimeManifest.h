// graphics/OpenXrRuntimeManifest.h
#pragma once
#include <string>

namespace zumek {

/// The values of the environment the OpenXR loader reads to find the active runtime.
struct OpenXrRuntimeEnvironment {
    const char* runtimeJson = nullptr;   ///< XR_RUNTIME_JSON
    const char* configHome = nullptr;    ///< XDG_CONFIG_HOME
    const char* home = nullptr;          ///< HOME
    const char* configDirs = nullptr;    ///< XDG_CONFIG_DIRS
    /// Read from this process's environment.
    static OpenXrRuntimeEnvironment FromProcess();
};

/// The manifest of the active OpenXR runtime, found where the loader looks: XR_RUNTIME_JSON
/// when set (and then only there), else openxr/1/active_runtime.json below XDG_CONFIG_HOME
/// (default ~/.config), each folder of XDG_CONFIG_DIRS (default /etc/xdg) and /etc. Empty when
/// there is no such file: the game then asks the loader nothing (it would print its own error
/// lines on every start of a player without a headset).
std::string FindOpenXrRuntimeManifest(const OpenXrRuntimeEnvironment& environment);

} // namespace zumek
