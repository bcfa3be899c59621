// Preloaded into the saver by saver_fps_benchmark: notes every frame shown
// (each SDL_GL_SwapWindow: when, on which window, and how much CPU time
// the program's main thread had used by then) and writes the notes to the
// file SWAP_LOG names when the program ends.
#include <dlfcn.h>
#include <pthread.h>
#include <time.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

struct SDL_Window;

namespace {

struct Swap {
    int64_t wallNs;
    int64_t mainCpuNs;
    const void* window;
};

clockid_t g_mainThreadClock;
std::mutex g_mutex;
std::vector<Swap>* g_swaps = nullptr;

int64_t Now(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

// Runs on the main thread as the program loads.
__attribute__((constructor)) void Start() {
    pthread_getcpuclockid(pthread_self(), &g_mainThreadClock);
    g_swaps = new std::vector<Swap>();
    g_swaps->reserve(1 << 16);
}

__attribute__((destructor)) void Write() {
    const char* path = std::getenv("SWAP_LOG");
    if (!path) return;
    const std::lock_guard lock(g_mutex);
    if (FILE* file = std::fopen(path, "w")) {
        for (const Swap& swap : *g_swaps) {
            std::fprintf(file, "%lld %lld %p\n", static_cast<long long>(swap.wallNs),
                         static_cast<long long>(swap.mainCpuNs), swap.window);
        }
        std::fclose(file);
    }
}

}  // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
    using Swapper = void (*)(SDL_Window*);
    static const auto real = reinterpret_cast<Swapper>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
    real(window);
    const Swap swap{Now(CLOCK_MONOTONIC), Now(g_mainThreadClock), window};
    const std::lock_guard lock(g_mutex);
    g_swaps->push_back(swap);
}
