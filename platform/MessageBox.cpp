// platform/MessageBox.cpp
#include "platform/MessageBox.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

namespace zumek {
namespace {
bool g_allowed = true;
} // namespace

void SetMessageBoxesAllowed(bool allowed) { g_allowed = allowed; }

void ShowMessageBox(const std::string& title, const std::string& text) {
    std::fprintf(stderr, "tovalik: %s: %s\n", title.c_str(), text.c_str());
    std::fflush(stderr);
    const char* display = std::getenv("DISPLAY");
    if (!g_allowed || !display || !*display) return;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), nullptr);
}

} // namespace zumek
