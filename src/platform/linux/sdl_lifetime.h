// The window and the sound player each start the part of SDL they use; SDL itself, with the
// services it starts on the side (the desktop bus), goes when the last part of it is released.
#pragma once

#include <SDL.h>

namespace platform::linux_backend {

inline void releaseSdl(Uint32 subsystem) {
    SDL_QuitSubSystem(subsystem);
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
}

}  // namespace platform::linux_backend
