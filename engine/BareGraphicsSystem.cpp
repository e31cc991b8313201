// engine/BareGraphicsSystem.cpp
#include "engine/BareGraphicsSystem.h"

#include "engine/SettingManager.h"

namespace zumek {

void BareGraphicsSystem::Update(float, std::vector<Object*>&) {
    if (SettingManager::GetSetting<EngineStateSetting>() == ENGINE_QUIT_REQUESTED)
        SettingManager::SetAndEmit<EngineStateSetting>(ENGINE_STOP);
}

} // namespace zumek
