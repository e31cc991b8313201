// fuzzers/FuzzSupport.h
// What the fuzz harnesses share: a scratch resource tree of their own (the readers take names
// and read files below the resource root, as the game does), and an engine log kept short.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace zumek::fuzz {

/// Makes (once per process) a scratch folder with resources/<kind>/ folders, points the
/// resource root and the documents folder at it, and quiets the engine log's standard error.
void UseScratchResources();
/// Writes `size` bytes to resources/<relative> below the scratch root; returns the full path.
std::string WriteResource(const std::string& relative, const uint8_t* data, size_t size);
/// Forgets the log records an input left (they would pile up over millions of inputs).
void ForgetLog();

} // namespace zumek::fuzz
