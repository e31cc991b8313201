// engine/Settings.h
#pragma once
// The setting types. Each type holds one process-wide value in the SettingManager, reached by
// type. All are 32-bit enumerations except ResolutionSetting and CameraSetting*.

#include <cstdint>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

namespace zumek {

/// 0: English, 1: Spanish (Mexico). Nothing reads it.
enum LocaleSetting : int32_t { LOCALE_ENGLISH = 0, LOCALE_SPANISH_MEXICO = 1 };
/// 1 at start; toggled by numeric keypad 2. The on-screen log shows only while it is 0.
enum DebugSetting : int32_t {};
/// 1 at start; toggled by numeric keypad 1. Graphics debug drawing.
enum DebugDrawSetting : int32_t {};
/// 1 at start; toggled by numeric keypad 3. HUD drawing.
enum HudDrawSetting : int32_t {};
/// The engine state; see the named values.
enum EngineStateSetting : int32_t {
    ENGINE_RUNNING = 0,         ///< the frame loop runs every update
    ENGINE_SUSPENDED = 1,       ///< per-frame work suspended, the loop keeps turning
    ENGINE_STOP = 2,            ///< leave the frame loop at the next frame start
    ENGINE_QUIT_REQUESTED = 3,  ///< the window was closed; graphics turns it into 2 at frame end
    ENGINE_CLOSE_REQUESTED = 4, ///< the window was closed in the other application state
};
/// Width and height in pixels of what the renderer draws to.
struct ResolutionSetting {
    int32_t width;
    int32_t height;
};
/// The camera record: projection and view matrices (column-major) and the camera orientation.
struct CameraSetting {
    glm::mat4 projection{1.0f};
    glm::mat4 view{1.0f};
    glm::vec3 orientation{0.0f}; ///< radians
};
/// 1 at start: the free camera moves with the arrow keys and the mouse.
enum CameraMovementSetting : int32_t {};
/// 1 at start: the editor overlay.
enum EditorGUISetting : int32_t {};
/// 0 at start; nothing reads it.
enum SelectObjectSetting : int32_t {};
/// 0 at start; the Lua function Animation returns true while it is 0.
enum AnimationSetting : int32_t {};
/// 0 at start; read by the physics system.
enum PhysicsSetting : int32_t {};
/// 0 at start; nothing reads it.
enum RenderModeSetting : int32_t {};
/// 0 at start; nothing reads it.
enum CacheSetting : int32_t {};
/// 1 at start; 0 while a headset is in use (mouse-motion events only while not 0).
enum OculusSetting : int32_t {};
/// 0 at start; the scripts run each frame only while it is 0.
enum ScriptSetting : int32_t {};
/// 0 at start; decides what closing the window requests (state 3 for 0, state 4 for 1).
enum ApplicationStateSetting : int32_t {};

} // namespace zumek
