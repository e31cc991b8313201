// content/Archetype.cpp
#include "content/Archetype.h"

#include "objects/Component.h"

namespace zumek {

Archetype::~Archetype() {
    for (Component* prototype : components) delete prototype;
}

} // namespace zumek
