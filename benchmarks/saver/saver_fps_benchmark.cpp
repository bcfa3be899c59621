// Frames a second of every slide of the sample scene, played by the saver
// itself headless at 1920 x 1080 on one monitor and on two, with every
// device running its GL work on a thread of its own (SAVER_DEVICE_QUEUE=1)
// and on the main thread (0), and the main thread's own CPU time per
// frame. Each slide's hold (its picture fully shown) is cut into five
// windows, the first and last second left out; a figure is the median of
// the five. Run it on a quiet machine:
//   saver_fps_benchmark build/saver build/benchmarks/libswap_log.so [1|2]
// (the last argument: only that many monitors).
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cxxabi.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <typeinfo>
#include <vector>

#include "scene/document/scene_document.h"

extern char** environ;

namespace {

// The sample scene's slides as the program carries them: seconds of fade
// in, hold and fade out. The first is fully shown at once.
struct Slide {
    std::string name;
    double in, hold, out;
};

std::string ClassName(const std::type_info& type) {
    int status = 0;
    char* demangled = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string name = status == 0 ? demangled : type.name();
    std::free(demangled);
    return name;
}

// Named by the slide's layer and its first object.
std::vector<Slide> SampleSlides() {
    const SceneDocument document = LoadSceneDocument();
    std::vector<Slide> slides;
    for (const CountedRef<KV_SlideContainer>& slide : document.root->slides) {
        std::string name = std::to_string(slides.size() + 1);
        if (const KV_2D_Light* light = slide->GetLight()) name += " " + ClassName(typeid(*light));
        const auto& objects = slide->drawnDescriptions.empty() ? slide->startedDescriptions : slide->drawnDescriptions;
        if (!objects.empty()) name += ", " + ClassName(typeid(*objects.front()));
        slides.push_back({name, static_cast<double>(slide->fadeIn.Value()), static_cast<double>(slide->hold.Value()),
                          static_cast<double>(slide->fadeOut.Value())});
    }
    return slides;
}

const std::vector<Slide> kSlides = SampleSlides();

double ShowSeconds() {
    double seconds = 0;
    for (const Slide& slide : kSlides) seconds += slide.in + slide.hold + slide.out;
    return seconds;
}

constexpr double kFrameSleepMs = 30;  // the host's pause before every frame

struct Swap {
    double seconds;
    double mainCpuMs;
    std::string window;
};

struct Figure {
    double fps = 0;
    double cpuMs = 0;  // the main thread's CPU time per frame
};

std::vector<Swap> RunSaver(const std::string& saver, const std::string& swapLog, int monitors, bool queue) {
    const std::string log = "/tmp/saver_fps_benchmark_" + std::to_string(getpid()) + ".log";
    std::vector<std::string> variables;
    for (char** entry = environ; *entry; ++entry) variables.emplace_back(*entry);
    variables.push_back("SDL_VIDEODRIVER=offscreen");
    variables.push_back("SDL_AUDIODRIVER=dummy");
    variables.push_back(std::string("SAVER_MONITORS=") + (monitors == 1 ? "1920x1080" : "1920x1080,1920x1080+1920+0"));
    variables.push_back("SAVER_RUN_SECONDS=" + std::to_string(static_cast<int>(ShowSeconds()) + 15));
    variables.push_back(std::string("SAVER_DEVICE_QUEUE=") + (queue ? "1" : "0"));
    variables.push_back("SAVER_REGISTRY=/tmp/saver_fps_benchmark.reg");
    variables.push_back("LD_PRELOAD=" + swapLog);
    variables.push_back("SWAP_LOG=" + log);
    std::vector<char*> environment;
    for (std::string& variable : variables) environment.push_back(variable.data());
    environment.push_back(nullptr);
    std::string program = saver, mode = "/s";
    char* arguments[] = {program.data(), mode.data(), nullptr};
    pid_t child = 0;
    if (posix_spawn(&child, saver.c_str(), nullptr, nullptr, arguments, environment.data()) != 0) return {};
    int status = 0;
    waitpid(child, &status, 0);
    std::vector<Swap> swaps;
    std::ifstream in(log);
    long long wall = 0, cpu = 0;
    std::string window;
    while (in >> wall >> cpu >> window) swaps.push_back({wall / 1e9, cpu / 1e6, window});
    std::remove(log.c_str());
    return swaps;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Per slide: frames a second of the first monitor and main-thread CPU per frame.
std::vector<Figure> SlideFigures(const std::vector<Swap>& all) {
    std::vector<Swap> swaps;
    for (const Swap& swap : all) {
        if (swap.window == all.front().window) swaps.push_back(swap);
    }
    std::vector<Figure> figures(std::size(kSlides));
    if (swaps.size() < 10) return figures;
    // The show starts at the frame after the longest pause of the first
    // frames: the one that loaded the scene.
    size_t start = 1;
    for (size_t i = 1; i < std::min<size_t>(swaps.size(), 20); ++i) {
        if (swaps[i].seconds - swaps[i - 1].seconds > swaps[start].seconds - swaps[start - 1].seconds) start = i;
    }
    double slideStart = swaps[start].seconds - kSlides[0].in;
    for (size_t s = 0; s < std::size(kSlides); ++s) {
        const double holdBegin = slideStart + kSlides[s].in + 1, holdEnd = slideStart + kSlides[s].in + kSlides[s].hold - 1;
        slideStart += kSlides[s].in + kSlides[s].hold + kSlides[s].out;
        std::vector<double> fps, cpu;
        for (int part = 0; part < 5; ++part) {
            const double from = holdBegin + (holdEnd - holdBegin) * part / 5;
            const double to = holdBegin + (holdEnd - holdBegin) * (part + 1) / 5;
            const auto first = std::find_if(swaps.begin(), swaps.end(), [&](const Swap& w) { return w.seconds >= from; });
            const auto last = std::find_if(first, swaps.end(), [&](const Swap& w) { return w.seconds > to; });
            if (last - first < 2) continue;
            const auto frames = static_cast<double>(last - first - 1);
            const Swap& end = *(last - 1);
            fps.push_back(frames / (end.seconds - first->seconds));
            cpu.push_back((end.mainCpuMs - first->mainCpuMs) / frames);
        }
        figures[s] = {Median(fps), Median(cpu)};
    }
    return figures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::fprintf(stderr, "usage: %s <saver> <libswap_log.so> [monitors]\n", argv[0]);
        return 2;
    }
    const int onlyMonitors = argc == 4 ? std::atoi(argv[3]) : 0;
    struct Run {
        int monitors;
        bool queue;
        std::vector<Figure> figures;
    };
    std::vector<Run> runs;
    for (int monitors = 1; monitors <= 2; ++monitors) {
        if (onlyMonitors != 0 && monitors != onlyMonitors) continue;
        runs.push_back({monitors, false, {}});
        runs.push_back({monitors, true, {}});
    }
    for (Run& run : runs) {
        std::fprintf(stderr, "%d monitor(s), queue %s...\n", run.monitors, run.queue ? "on" : "off");
        run.figures = SlideFigures(RunSaver(argv[1], argv[2], run.monitors, run.queue));
    }
    std::printf("frames a second (main thread's CPU ms a frame; its time a frame beside the %.0f ms pause)\n\n",
                kFrameSleepMs);
    std::printf("| slide |");
    for (const Run& run : runs) std::printf(" %d monitor(s), queue %s |", run.monitors, run.queue ? "on" : "off");
    std::printf("\n|---|");
    for (size_t i = 0; i < runs.size(); ++i) std::printf("---|");
    std::printf("\n");
    for (size_t s = 0; s < std::size(kSlides); ++s) {
        std::printf("| %s |", kSlides[s].name.c_str());
        for (const Run& run : runs) {
            const Figure& figure = run.figures[s];
            const double busy = figure.fps > 0 ? 1000 / figure.fps - kFrameSleepMs : 0;
            std::printf(" %.1f (%.1f cpu, %.1f ms) |", figure.fps, figure.cpuMs, busy);
        }
        std::printf("\n");
    }
    return 0;
}
