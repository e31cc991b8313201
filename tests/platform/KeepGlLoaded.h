// tests/platform/KeepGlLoaded.h
// For tests that open windows without a GL context: keeps the GL library SDL loads for them
// loaded until the process ends. Nothing else holds it then, and what it still holds when it is
// unloaded shows up in leak reports without a module name, which no suppression can match.
#pragma once
#include <gtest/gtest.h>

#include <SDL.h>

#include "platform/SdlVideo.h"

namespace zumek::test {

class KeepGlLoaded : public ::testing::Environment {
public:
    void SetUp() override {
        if (SdlVideo::Acquire()) SDL_GL_LoadLibrary(nullptr);
    }
};

inline const auto* const g_keepGlLoaded = ::testing::AddGlobalTestEnvironment(new KeepGlLoaded);

} // namespace zumek::test
