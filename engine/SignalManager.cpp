// engine/SignalManager.cpp
#include "engine/SignalManager.h"

#include "engine/EngineLog.h"

namespace zumek {

SignalManager& SignalManager::Instance() {
    // Never destroyed: receivers that are singletons themselves may outlive any static order.
    static SignalManager* instance = new SignalManager();
    return *instance;
}

SignalManager::SignalManager() {
    CreateChannel<ObjectDestroySignal>();
    CreateChannel<ObjectCreateSignal>();
    CreateChannel<ObjectDestroyedSignal>();
    CreateChannel<ObjectCreatedSignal>();
    CreateChannel<GraphicsSignal>();
    CreateChannel<GraphicsMode>();
    CreateChannel<LocaleSetting>();
    CreateChannel<DebugSetting>();
    CreateChannel<EngineStateSetting>();
    CreateChannel<PlaceId>();
    CreateChannel<ObjectSelectSignal>();
    CreateChannel<EditorSignal>();
    CreateChannel<LoadLevelSignal>();
    CreateChannel<LaserSignal>();
    CreateChannel<MusicSignal>();
    CreateChannel<SfxSignal>();
    CreateChannel<SoundSignal>();
    CreateChannel<LogMessage>();
    CreateChannel<Sound3DSignal>();
    CreateChannel<ListenerPositionSignal>();
    CreateChannel<FadeSignal>();
    CreateChannel<CollisionSignal>();
    CreateChannel<DeleteLevedlStateSignal>();
}

void SignalManager::ReportMissing(const std::string& typeName) {
    EngineLog::Instance().WriteError("Missing channel for " + typeName);
}

void SignalManager::ReportDuplicate(const std::string& typeName) {
    EngineLog::Instance().Write(Warning, "Channel for " + typeName + " has already been created");
}

} // namespace zumek
