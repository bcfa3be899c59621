// Reading documents from memory.
// - A 2 MB stream of the primitive encodings, in the proportions of a real
//   document: thousands of small values, and a few dozen resource entries
//   and embedded files that hold most of the bytes. The figure to compare
//   with is the plain copy of the same bytes.
// - A whole document whose manager stores 20 photographs, JPEG and PNG.
//   The figure to compare with is loading the same pictures through the
//   D3DX loader as the manager does: reading should add next to nothing.
#include <cstring>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include <d3dx9.h>

#include "d3dx9/benchmark_device.h"
#include "scene/document/embedded_file.h"
#include "scene/document/kv_iof_r.h"
#include "scene/document/scene_document.h"
#include "scene/document/writer/document_builder.h"
#include "scene/document/writer/kv_iof_w.h"
#include "scene/model/com_holder.h"
#include "scene/render/current_device.h"
#include "support/photo_files.h"

namespace {

constexpr int kRecords = 3000;         // each: name, version, three floats, two values
constexpr int kStoredEvery = 50;       // a resource entry or a file every so many records
constexpr DWORD kStoredBytes = 32000;  // 60 stored blocks: about 1.9 MB

std::vector<BYTE> SyntheticDocument() {
    KV_IOF_W w;
    std::vector<BYTE> block(kStoredBytes);
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<BYTE>(i * 31);
    }
    for (int r = 0; r < kRecords; ++r) {
        const kv_string name = L"KV_Record_" + std::to_wstring(r);
        const DWORD version = 3;
        const float values[3] = {0.5f, 1.5f * r, -2.0f};
        const DWORD colour = 0x00FF8040;
        const INT offset = -r;
        w.WriteString(&name);
        w.WriteDword(&version);
        for (const float& v : values) {
            w.WriteFloat(&v);
        }
        w.WriteDword(&colour);
        w.WriteInt(&offset);
        if (r % kStoredEvery == 0) {
            ResourceEntry entry(r, L"common_res.dll");
            entry.Assign(L"C:\\pictures\\picture_" + std::to_wstring(r) + L".png", kStoredBytes,
                         block.data());
            if (r % (2 * kStoredEvery) == 0) {
                w.WriteResourceEntry(&entry);
            } else {
                w.WriteEmbeddedFile(&entry);
            }
        }
    }
    return w.TakeBytes();
}

struct ReadResult {
    std::vector<ResourceEntry> entries;
    std::vector<EmbeddedFile> files;
    double sum = 0;
};

void ReadDocument(KV_IOF_Virtual& archive, ReadResult& result) {
    for (int r = 0; r < kRecords; ++r) {
        kv_string name;
        DWORD version = 0;
        float values[3] = {};
        DWORD colour = 0;
        INT offset = 0;
        archive.ReadString(&name);
        archive.ReadDword(&version);
        for (float& v : values) {
            archive.ReadFloat(&v);
        }
        archive.ReadDword(&colour);
        archive.ReadInt(&offset);
        result.sum += values[1] + static_cast<double>(name.size() + colour + offset);
        if (r % kStoredEvery == 0) {
            if (r % (2 * kStoredEvery) == 0) {
                archive.ReadResourceEntry(&result.entries.emplace_back());
            } else {
                archive.ReadEmbeddedFile(&result.files.emplace_back());
            }
        }
    }
}

void BM_ReadDocument(benchmark::State& state) {
    const std::vector<BYTE> document = SyntheticDocument();
    for (auto _ : state) {
        ResourceBuffer buffer(document.data(), document.size());
        KV_IOF_R<ResourceBuffer> archive(buffer);
        ReadResult result;
        ReadDocument(archive, result);
        if (archive.Failed() || buffer.Remaining() != 0) {
            state.SkipWithError("the synthetic document did not read back");
            break;
        }
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.size()));
    state.counters["document_bytes"] = static_cast<double>(document.size());
}
BENCHMARK(BM_ReadDocument)->Unit(benchmark::kMicrosecond);

// The floor: copying the same bytes once.
void BM_CopyDocument(benchmark::State& state) {
    const std::vector<BYTE> document = SyntheticDocument();
    for (auto _ : state) {
        std::vector<BYTE> copy(document.size());
        std::memcpy(copy.data(), document.data(), document.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.size()));
}
BENCHMARK(BM_CopyDocument)->Unit(benchmark::kMicrosecond);

constexpr int kStoredPictures = 20;  // every other one a JPEG

const d3dx9_test::Bytes& StoredPicture(int i) {
    return i % 2 == 0 ? benchmark_pictures::PhotoJpeg() : benchmark_pictures::PhotoPng();
}

std::vector<BYTE> DocumentWithPictures() {
    KV_DocResManager manager;
    for (int i = 0; i < kStoredPictures; ++i) {
        const kv_string path = L"C:\\pictures\\photo_" + std::to_wstring(i) + (i % 2 == 0 ? L".jpg" : L".png");
        const d3dx9_test::Bytes& bytes = StoredPicture(i);
        ResourceEntry entry;
        entry.Assign(path, static_cast<DWORD>(bytes.size()), bytes.data());
        manager.Tables().images[{path, 1000 + i}] = {entry};
    }
    DocumentBuilder builder;
    builder.Header().Record(L"KV_SlideShow_Light", 1);
    manager.Write(builder.Archive());
    return builder.Bytes();
}

// The device every manager creates its textures on.
bool MakeDeviceCurrent(benchmark::State& state) {
    static BenchmarkDevice device;
    g_currentDevice = device.get();
    if (!g_currentDevice) {
        state.SkipWithError("no Direct3D device");
    }
    return g_currentDevice != nullptr;
}

void BM_ReadDocumentWithPictures(benchmark::State& state) {
    if (!MakeDeviceCurrent(state)) {
        return;
    }
    const std::vector<BYTE> document = DocumentWithPictures();
    for (auto _ : state) {
        ResourceBuffer buffer(document.data(), document.size());
        const SceneDocument read = ReadSceneDocument(buffer);
        if (read.manager->Tables().sequences.size() != kStoredPictures) {
            state.SkipWithError("the pictures did not read back");
            break;
        }
    }
    state.counters["document_bytes"] = static_cast<double>(document.size());
}
BENCHMARK(BM_ReadDocumentWithPictures)->Unit(benchmark::kMillisecond);

// The floor: the same pictures through the loader, with the manager's
// settings (one level, managed pool, triangle filter), all of them held
// together as the manager holds them.
void BM_LoadTheSamePictures(benchmark::State& state) {
    if (!MakeDeviceCurrent(state)) {
        return;
    }
    for (auto _ : state) {
        std::vector<ComHolder<IDirect3DTexture9>> textures(kStoredPictures);
        for (int i = 0; i < kStoredPictures; ++i) {
            const d3dx9_test::Bytes& bytes = StoredPicture(i);
            if (FAILED(D3DXCreateTextureFromFileInMemoryEx(
                    g_currentDevice, bytes.data(), static_cast<UINT>(bytes.size()), D3DX_DEFAULT, D3DX_DEFAULT, 1, 0,
                    D3DFMT_UNKNOWN, D3DPOOL_MANAGED, D3DX_FILTER_TRIANGLE, D3DX_FILTER_NONE, 0, nullptr, nullptr,
                    textures[i].Receive()))) {
                state.SkipWithError("a picture did not load");
                return;
            }
        }
    }
}
BENCHMARK(BM_LoadTheSamePictures)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
