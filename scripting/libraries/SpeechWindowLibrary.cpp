// scripting/libraries/SpeechWindowLibrary.cpp
// SpeechWindow: the caption box of spoken lines.
#include "graphics/SpeechWindow.h"
#include "scripting/ScriptArguments.h"
#include "scripting/libraries/EngineLibraries.h"

namespace zumek {
namespace {

/// SetText(text): shows the caption (for its few seconds) and has the voice read it.
int SetText(lua_State* L) {
    SpeechWindow::Instance().Say(script::String(L, 1));
    return 0;
}

int ShowWindow(lua_State*) {
    SpeechWindow::Instance().Show();
    return 0;
}

int HideWindow(lua_State*) {
    SpeechWindow::Instance().Hide();
    return 0;
}

constexpr luaL_Reg kFunctions[] = {
    {"SetText", SetText},
    {"ShowWindow", ShowWindow},
    {"HideWindow", HideWindow},
    {nullptr, nullptr},
};

} // namespace

int OpenSpeechWindowLibrary(lua_State* L) {
    luaL_newlib(L, kFunctions);
    return 1;
}

} // namespace zumek
