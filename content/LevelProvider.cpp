// content/LevelProvider.cpp
#include "content/LevelProvider.h"

#include "content/LevelSerializer.h"

namespace zumek {

Level* LevelProvider::Get(const std::string& key) { return LevelSerializer(key).Deserialize(); }

} // namespace zumek
