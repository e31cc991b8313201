// input/InputEvents.cpp
#include "input/InputEvents.h"

namespace zumek {

InputEvents& InputEvents::Instance() {
    static InputEvents* instance = new InputEvents();
    return *instance;
}

} // namespace zumek
