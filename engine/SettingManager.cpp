// engine/SettingManager.cpp
#include "engine/SettingManager.h"

#include "platform/Locale.h"

namespace zumek {

SettingManager& SettingManager::Instance() {
    static SettingManager* instance = new SettingManager();
    return *instance;
}

SettingManager::SettingManager() {
    m_localeName = AdoptUserLocale();
    CreateSetting<LocaleSetting>(IsSpanishMexicoLocale(m_localeName) ? LOCALE_SPANISH_MEXICO : LOCALE_ENGLISH);
    CreateSetting<DebugSetting>(DebugSetting(1));
    CreateSetting<DebugDrawSetting>(DebugDrawSetting(1));
    CreateSetting<HudDrawSetting>(HudDrawSetting(1));
    CreateSetting<EngineStateSetting>(ENGINE_RUNNING);
    CreateSetting<ResolutionSetting>(ResolutionSetting{1024, 800});
    CreateSetting<CameraSetting*>(&m_camera);
    CreateSetting<CameraMovementSetting>(CameraMovementSetting(1));
    CreateSetting<EditorGUISetting>(EditorGUISetting(1));
    CreateSetting<SelectObjectSetting>(SelectObjectSetting(0));
    CreateSetting<AnimationSetting>(AnimationSetting(0));
    CreateSetting<PhysicsSetting>(PhysicsSetting(0));
    CreateSetting<RenderModeSetting>(RenderModeSetting(0));
    CreateSetting<CacheSetting>(CacheSetting(0));
    CreateSetting<OculusSetting>(OculusSetting(1));
    CreateSetting<ScriptSetting>(ScriptSetting(0));
    CreateSetting<ApplicationStateSetting>(ApplicationStateSetting(0));
}

} // namespace zumek
