// graphics/SpriteBase.cpp
#include "graphics/SpriteBase.h"

namespace zumek {

int SpriteBase::SlotIndex(const std::string& slotName) {
    if (slotName == "MAIN_TEXTURE") return kMainTextureSlot;
    if (slotName == "INFO_TEXTURE") return kInfoTextureSlot;
    if (slotName == "NORMAL_MAP_TEXTURE") return kNormalMapSlot;
    return -1;
}

bool SpriteBase::SetTexture(const std::string& slotName, const std::string& fileName) {
    int slot = SlotIndex(slotName);
    if (slot < 0) return false;
    m_useTexture = true;
    if (slot == kNormalMapSlot) m_useNormal = true;
    for (SpriteTextureRecord& record : m_textures) {
        if (record.slotName == slotName) {
            record.fileName = fileName;
            return true;
        }
    }
    m_textures.push_back({slotName, fileName, {}});
    return true;
}

} // namespace zumek
