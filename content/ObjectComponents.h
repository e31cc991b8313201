// content/ObjectComponents.h
#pragma once

namespace zumek {

/// Registers the object model's own component kinds, "transform" and "camera". Safe to call
/// more than once.
void RegisterObjectComponents();

} // namespace zumek
