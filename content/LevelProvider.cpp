// content/LevelProvider.cpp
#include "content/LevelProvider.h"

#include "content/LevelSerializer.h"

namespace zumek {

const Level* LevelProvider::Get(const std::string& key) {
    std::unique_ptr<Level> level = LevelSerializer(key).Deserialize();
    const Level* read = level.get();
    std::unique_ptr<Level>& slot = m_levels[key];
    if (slot) m_retired.push_back(std::move(slot));
    slot = std::move(level);
    return read;
}

void LevelProvider::ReleaseRetired() { m_retired.clear(); }

} // namespace zumek
