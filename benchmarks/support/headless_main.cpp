// The main of the benchmarks that draw: headless unless the caller chose
// another video driver.
#include <cstdlib>

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
