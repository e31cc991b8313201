// fuzzers/ComponentKinds.h
#pragma once
#include <string>
#include <vector>

namespace zumek::fuzz {

/// Registers the component kinds of every subsystem, as the game does at start.
void RegisterAllComponents();
/// The "type" keys of the component elements.
const std::vector<std::string>& ComponentKeys();

} // namespace zumek::fuzz
