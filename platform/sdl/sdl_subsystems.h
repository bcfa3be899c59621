// SDL's subsystems are started and ended from more than one thread (video
// on the program's, audio on the audio helper's); SDL does not serialise
// that itself.
#pragma once

#include <mutex>

namespace platform {

std::mutex& SdlSubsystemMutex();

}  // namespace platform
