// sound/EventDescription.cpp
#include "sound/EventDescription.h"

#include "sound/StudioSystem.h"

namespace zumek {

EventInstance* EventDescription::CreateInstance() { return m_system.NewInstance(*this); }

} // namespace zumek
