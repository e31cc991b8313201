// content/Level.cpp
#include "content/Level.h"

#include "objects/Component.h"

namespace zumek {

Level::~Level() {
    for (ObjectCreateSignal& request : objects)
        for (Component* prototype : request.components) delete prototype;
}

} // namespace zumek
