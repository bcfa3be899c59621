#include "sdl/sdl_subsystems.h"

namespace platform {

std::mutex& SdlSubsystemMutex() {
    static std::mutex mutex;
    return mutex;
}

}  // namespace platform
