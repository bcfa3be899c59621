// Loading a 20,000-face binary .x mesh as the scene does: load with
// D3DXMESH_SYSTEMMEM, clone to position-normal-coordinate vertices,
// normals, compact and attribute sort, copy into new managed buffers and
// the bounding sphere.
#include <benchmark/benchmark.h>

#include <d3dx9.h>
#include <windows.h>

#include <cstring>

#include "benchmark_device.h"
#include "platform/d3dx9_mesh/mesh_fixtures.h"

namespace {

constexpr DWORD kSide = 100;  // quads per row: 2 x 100 x 100 triangles

const std::vector<BYTE>& GridFile() {
    static const std::vector<BYTE> file = [] {
        std::vector<D3DXVECTOR3> positions, normals{{0, 0, -1}};
        std::vector<D3DXVECTOR2> coords;
        for (DWORD y = 0; y <= kSide; ++y)
            for (DWORD x = 0; x <= kSide; ++x) {
                positions.push_back({float(x), float(y), float((x * y) % 7)});
                coords.push_back({x / float(kSide), y / float(kSide)});
            }
        std::vector<std::vector<DWORD>> faces, faceNormals;
        std::vector<DWORD> materials;
        for (DWORD y = 0; y < kSide; ++y)
            for (DWORD x = 0; x < kSide; ++x) {
                const DWORD corner = y * (kSide + 1) + x;
                faces.push_back({corner, corner + kSide + 1, corner + 1});
                faces.push_back({corner + 1, corner + kSide + 1, corner + kSide + 2});
                faceNormals.push_back({0, 0, 0});
                faceNormals.push_back({0, 0, 0});
                materials.push_back((x / 10) % 2);
                materials.push_back((x / 10) % 2);
            }
        using namespace mesh_test;
        XNode mesh = MeshNode(positions, faces,
                              {NormalsNode(normals, faceNormals), TexcoordsNode(coords),
                               MaterialListNode(2, materials, {MaterialNode(1, "a.png"), MaterialNode(0, "b.png")})});
        return WriteX({mesh}, XEncoding::Binary, false);
    }();
    return file;
}

// The scene's whole sequence, from the bytes to the two buffers.
void LoadMeshFromMemory(benchmark::State& state) {
    static BenchmarkDevice device;
    if (!device.get()) {
        state.SkipWithError("no Direct3D device");
        return;
    }
    const std::vector<BYTE>& file = GridFile();
    for (auto _ : state) {
        ID3DXBuffer *adjacency = nullptr, *materials = nullptr, *instances = nullptr;
        DWORD count = 0;
        ID3DXMesh *mesh = nullptr, *clone = nullptr;
        if (FAILED(D3DXLoadMeshFromXInMemory(file.data(), DWORD(file.size()), D3DXMESH_SYSTEMMEM, device.get(),
                                             &adjacency, &materials, &instances, &count, &mesh)) ||
            FAILED(mesh->CloneMeshFVF(D3DXMESH_SYSTEMMEM, 0x112, device.get(), &clone))) {
            state.SkipWithError("load failed");
            return;
        }
        D3DXComputeNormals(clone, nullptr);
        clone->OptimizeInplace(D3DXMESHOPT_COMPACT | D3DXMESHOPT_ATTRSORT | D3DXMESHOPT_VERTEXCACHE,
                               static_cast<const DWORD*>(adjacency->GetBufferPointer()), nullptr, nullptr, nullptr);
        const DWORD vertices = clone->GetNumVertices(), faces = clone->GetNumFaces();
        IDirect3DIndexBuffer9* indexBuffer = nullptr;
        IDirect3DVertexBuffer9* vertexBuffer = nullptr;
        device.get()->CreateIndexBuffer(faces * 6, D3DUSAGE_WRITEONLY, D3DFMT_INDEX16, D3DPOOL_MANAGED, &indexBuffer,
                                        nullptr);
        device.get()->CreateVertexBuffer(32 * vertices, D3DUSAGE_WRITEONLY, 0, D3DPOOL_MANAGED, &vertexBuffer, nullptr);
        void *from = nullptr, *to = nullptr;
        clone->LockIndexBuffer(D3DLOCK_READONLY, &from);
        indexBuffer->Lock(0, 0, &to, 0);
        std::memcpy(to, from, faces * 6);
        indexBuffer->Unlock();
        clone->UnlockIndexBuffer();
        clone->LockVertexBuffer(D3DLOCK_READONLY, &from);
        vertexBuffer->Lock(0, 0, &to, 0);
        std::memcpy(to, from, 32 * vertices);
        D3DXVECTOR3 centre;
        FLOAT radius = 0;
        D3DXComputeBoundingSphere(static_cast<const D3DXVECTOR3*>(from), vertices, 32, &centre, &radius);
        vertexBuffer->Unlock();
        clone->UnlockVertexBuffer();
        benchmark::DoNotOptimize(radius);
        for (IUnknown* object : std::initializer_list<IUnknown*>{indexBuffer, vertexBuffer, clone, mesh, adjacency,
                                                                  materials, instances})
            object->Release();
    }
    state.counters["faces"] = 2 * kSide * kSide;
}

BENCHMARK(LoadMeshFromMemory)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
