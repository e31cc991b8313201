// platform/SdlVideo.cpp
#include "platform/SdlVideo.h"

#include <SDL.h>

namespace zumek {

bool SdlVideo::Acquire() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

void SdlVideo::Release() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

bool SdlGameControllers::Acquire() {
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    return SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
}

void SdlGameControllers::Release() { SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER); }

} // namespace zumek
