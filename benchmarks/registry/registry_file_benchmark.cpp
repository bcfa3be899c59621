// What a large registry file costs through the registry API: the first
// read of a file that changed on disk, a write that changes one value, and
// a write of a value that is already stored. Files of 1, 10, 16 (the
// largest read) and 50 MB in four shapes: blank lines, one key of ordinary
// values, many keys of a few values each, and lines that each begin a value
// continued over the next line but never end it. The figures: time per
// operation, and the peak of the heap during it, in MB and as a multiple of
// the file's size.
#include <windows.h>

#include <benchmark/benchmark.h>

#include <malloc.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <new>
#include <string>

namespace {

// ---- The heap's size, counted through every operator new ----------------

std::atomic<std::size_t> g_heapBytes{0};
std::atomic<std::size_t> g_heapPeak{0};

void NoteAllocated(void* block) {
    if (block == nullptr) return;
    const std::size_t now = g_heapBytes.fetch_add(malloc_usable_size(block)) + malloc_usable_size(block);
    std::size_t peak = g_heapPeak.load();
    while (now > peak && !g_heapPeak.compare_exchange_weak(peak, now)) {
    }
}

// The peak of the heap above its size when the scope began.
class HeapPeak {
public:
    HeapPeak() : base_(g_heapBytes.load()) { g_heapPeak.store(base_); }
    double Megabytes() const { return static_cast<double>(g_heapPeak.load() - base_) / (1 << 20); }

private:
    std::size_t base_;
};

}  // namespace

// The replacements pair malloc with free, which GCC cannot see through.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) throw std::bad_alloc();
    NoteAllocated(block);
    return block;
}
void operator delete(void* block) noexcept {
    if (block == nullptr) return;
    g_heapBytes.fetch_sub(malloc_usable_size(block));
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace {

constexpr const wchar_t* kKey = L"Software\\Corvenna\\Lumaweft Maker\\Screensaver";
constexpr const wchar_t* kValue = L"\"SoundVolume\"";

enum Shape { kBlankLines, kOrdinaryValues, kManyKeys, kBrokenContinuations };

// The header, the screensaver's key with the value the benchmark reads and
// writes, then the shape's lines as far as they fit in the size.
std::string FileOf(Shape shape, std::size_t bytes) {
    std::string text =
        "Windows Registry Editor Version 5.00\n\n"
        "[HKEY_CURRENT_USER\\Software\\Corvenna\\Lumaweft Maker\\Screensaver]\n"
        "\"\\\"SoundVolume\\\"\"=dword:00000028\n";
    char line[160];
    for (unsigned i = 0;; ++i) {
        switch (shape) {
            case kBlankLines: std::snprintf(line, sizeof line, "\n"); break;
            case kOrdinaryValues: std::snprintf(line, sizeof line, "\"Setting %08u\"=dword:%08x\n", i, i); break;
            case kManyKeys:
                std::snprintf(line, sizeof line,
                              "\n[HKEY_CURRENT_USER\\Software\\Vendor\\Product\\Key %08u]\n"
                              "\"Width\"=dword:00000400\n\"Name\"=\"key %u\"\n\"Data\"=hex:01,02,03,04\n",
                              i, i);
                break;
            case kBrokenContinuations: std::snprintf(line, sizeof line, "\"x\\\n"); break;
        }
        if (text.size() + std::strlen(line) > bytes) return text;
        text += line;
    }
}

class RegistryFile {
public:
    RegistryFile(Shape shape, std::size_t megabytes) {
        path_ = std::filesystem::temp_directory_path() /
                ("registry-benchmark-" + std::to_string(getpid()) + ".reg");
        std::ofstream(path_, std::ios::binary) << FileOf(shape, megabytes << 20);
        bytes_ = std::filesystem::file_size(path_);
        setenv("SAVER_REGISTRY", path_.c_str(), 1);
    }
    ~RegistryFile() {
        std::filesystem::remove(path_);
        std::filesystem::remove(path_.string() + ".lock");
    }

    // A new identity on disk with the same text, so that the next call
    // reads the file again.
    void Touch() const { ::utimensat(AT_FDCWD, path_.c_str(), nullptr, 0); }
    double Megabytes() const { return static_cast<double>(bytes_) / (1 << 20); }

private:
    std::filesystem::path path_;
    std::uintmax_t bytes_ = 0;
};

DWORD ReadVolume() {
    HKEY key = nullptr;
    DWORD volume = 0;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) == ERROR_SUCCESS) {
        DWORD size = sizeof volume;
        RegQueryValueExW(key, kValue, nullptr, nullptr, reinterpret_cast<BYTE*>(&volume), &size);
        RegCloseKey(key);
    }
    return volume;
}

void WriteVolume(DWORD volume) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    RegSetValueExW(key, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&volume), sizeof volume);
    RegCloseKey(key);
}

void Report(benchmark::State& state, const RegistryFile& file, double peak) {
    state.counters["file_MB"] = file.Megabytes();
    state.counters["peak_MB"] = peak;
    state.counters["peak_per_file"] = peak / file.Megabytes();
}

void BM_FirstRead(benchmark::State& state, Shape shape) {
    const RegistryFile file(shape, static_cast<std::size_t>(state.range(0)));
    double peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        file.Touch();
        state.ResumeTiming();
        const HeapPeak heap;
        benchmark::DoNotOptimize(ReadVolume());
        peak = std::max(peak, heap.Megabytes());
    }
    Report(state, file, peak);
}

void BM_WriteAChange(benchmark::State& state, Shape shape) {
    const RegistryFile file(shape, static_cast<std::size_t>(state.range(0)));
    ReadVolume();
    double peak = 0;
    DWORD volume = 0;
    for (auto _ : state) {
        const HeapPeak heap;
        WriteVolume(++volume);
        peak = std::max(peak, heap.Megabytes());
    }
    Report(state, file, peak);
}

void BM_WriteWhatIsStored(benchmark::State& state, Shape shape) {
    const RegistryFile file(shape, static_cast<std::size_t>(state.range(0)));
    const DWORD volume = ReadVolume();
    double peak = 0;
    for (auto _ : state) {
        const HeapPeak heap;
        WriteVolume(volume);
        peak = std::max(peak, heap.Megabytes());
    }
    Report(state, file, peak);
}

void Sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->ArgName("MB")->Arg(1)->Arg(10)->Arg(16)->Arg(50)->Unit(benchmark::kMillisecond);
}

#define REGISTRY_BENCHMARKS(operation)                                                   \
    BENCHMARK_CAPTURE(operation, blank_lines, kBlankLines)->Apply(Sizes);                 \
    BENCHMARK_CAPTURE(operation, ordinary_values, kOrdinaryValues)->Apply(Sizes);         \
    BENCHMARK_CAPTURE(operation, many_keys, kManyKeys)->Apply(Sizes);                     \
    BENCHMARK_CAPTURE(operation, broken_continuations, kBrokenContinuations)->Apply(Sizes)

REGISTRY_BENCHMARKS(BM_FirstRead);
REGISTRY_BENCHMARKS(BM_WriteAChange);
REGISTRY_BENCHMARKS(BM_WriteWhatIsStored);

}  // namespace

BENCHMARK_MAIN();
