// graphics/AnimatedSprite.cpp
#include "graphics/AnimatedSprite.h"

#include "graphics/ModelLoader.h"

namespace zumek {

void AnimatedSprite::SetModel(const std::string& modelKey) {
    SpriteBase::SetModel(modelKey);
    m_mesh = &ModelLoader::ImportAnimatedCached(ModelLoader::ModelPath(modelKey));
}

} // namespace zumek
