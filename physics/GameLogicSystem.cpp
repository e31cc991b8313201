// physics/GameLogicSystem.cpp
#include "physics/GameLogicSystem.h"

#include "engine/SignalManager.h"

namespace zumek {

GameLogicSystem::GameLogicSystem() : System(GAMELOGIC_SYSTEM_ID) { SignalManager::Connect<CollisionSignal>(this); }

void GameLogicSystem::Update(float, std::vector<Object*>&) {}

void GameLogicSystem::Handle(CollisionSignal) {}

} // namespace zumek
