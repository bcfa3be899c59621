#include "effects/lights/ripple_grid.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "scene/model/crt_random.h"
#include "scene/render/current_device.h"

namespace {

constexpr float kRefractiveIndex = 1.333f;
constexpr int kPasses = 4;

std::array<RefractionEntry, 256> MakeRefractionTable()
{
    std::array<RefractionEntry, 256> table{};
    for (int i = 0; i < 256; ++i) {
        const float a = static_cast<float>(i) / 256.0f;
        const float s = std::sin(std::acos(a));
        const float q = s / kRefractiveIndex;
        const float k = std::cos(std::asin(q));
        const DWORD left = static_cast<DWORD>(255 - i);
        table[i] = {(s / q) * k - a, -q / s, (left * left * left & 0xFFFF0000u) << 8};
    }
    return table;
}

D3DXVECTOR3 Normalised(const D3DXVECTOR3& v)
{
    D3DXVECTOR3 out;
    D3DXVec3Normalize(&out, &v);
    return out;
}

UINT Even(UINT n) { return n & ~1u; }

} // namespace

void RippleGrid::BuildRefractionTable()
{
    static const std::array<RefractionEntry, 256> table = MakeRefractionTable();
    refraction = table.data();
}

void RippleGrid::Resize(float surfaceWidth, float surfaceHeight, float rowFactor, float columnFactor)
{
    const float n = std::clamp(std::trunc(128.0f * columnFactor), 0.0f, static_cast<float>(kMaxCells));
    const float proportion = surfaceWidth > 0.0f ? surfaceHeight / surfaceWidth : 1.0f;
    float r = n * proportion * rowFactor;
    r = std::isfinite(r) ? std::clamp(r, 0.0f, static_cast<float>(kMaxCells / kMinSide)) : 0.0f;
    cols = std::max(Even(static_cast<UINT>(n)), kMinSide);
    rows = std::max(Even(static_cast<UINT>(r)), kMinSide);
    if (cols * rows > kMaxCells)
        cols = std::max(Even(kMaxCells / rows), kMinSide);
    cellCount = cols * rows;
    width = surfaceWidth;
    height = surfaceHeight;
    vertexCount = cellCount;
    indexCount = 2 * cellCount;
    invWidth = 1.0f / width;
    invHeight = 1.0f / height;
    cells.assign(cellCount, RippleCell{0.0f, 0.0f});
    ReleaseBuffers();
    CreateBuffers();
}

void FillSpiralStrip(UINT cols, UINT rows, UINT count, WORD* indices)
{
    const int cells = static_cast<int>(cols * rows);
    UINT emitted = 0;
    const auto emit = [&](int a, int b) {
        for (int index : {a, b}) {
            if (emitted < count)
                indices[emitted++] = static_cast<WORD>(index >= 0 && index < cells ? index : 0);
        }
    };
    const int stride = static_cast<int>(cols);
    int c = 0, r = 0, w = static_cast<int>(cols), h = static_cast<int>(rows);
    while (emitted < count && w > 0 && h > 0) {
        for (int i = 0; i < w; ++i, ++c)
            emit(r * stride + c, (r + 1) * stride + c);
        --c;
        ++r;
        if (h > 1) {
            for (int i = 0; i < h - 1; ++i, ++r)
                emit(r * stride + c, r * stride + c - 1);
            --r;
            --c;
        }
        if (w > 1) {
            for (int i = 0; i < w - 1; ++i, --c)
                emit(r * stride + c, (r - 1) * stride + c);
            ++c;
            --r;
        }
        if (h > 2) {
            for (int i = 0; i < h - 2; ++i, --r)
                emit(r * stride + c, r * stride + c + 1);
        }
        w -= 2;
        h -= 2;
        ++r;
        ++c;
    }
    while (emitted < count)
        indices[emitted++] = 0;
}

void RippleGrid::CreateBuffers()
{
    if (!g_currentDevice)
        return;
    if (!indexBuffer) {
        void* locked = nullptr;
        if (FAILED(g_currentDevice->CreateIndexBuffer(indexCount * sizeof(WORD), 0, D3DFMT_INDEX16, D3DPOOL_DEFAULT,
                                                      indexBuffer.Receive(), nullptr)) ||
            FAILED(indexBuffer->Lock(0, 0, &locked, 0))) {
            indexBuffer.Reset();
            return;
        }
        FillSpiralStrip(cols, rows, indexCount, static_cast<WORD*>(locked));
        indexBuffer->Unlock();
    }
    if (!vertexBuffer)
        CreateVertexBuffer(vertexCount, RippleVertex::FVF, sizeof(RippleVertex), vertexBuffer, D3DUSAGE_DYNAMIC,
                           D3DPOOL_DEFAULT);
}

void RippleGrid::ReleaseBuffers()
{
    indexBuffer.Reset();
    vertexBuffer.Reset();
}

void RippleGrid::AddDrop()
{
    const UINT c = static_cast<UINT>(kv_rand()) % (cols - 2) + 1;
    const UINT r = static_cast<UINT>(kv_rand()) % (rows - 2) + 1;
    for (int dr = -1; dr <= 1; ++dr) {
        for (int dc = -1; dc <= 1; ++dc) {
            const int away = (dr != 0) + (dc != 0);
            const float share = away == 0 ? 0.25f : away == 1 ? 0.125f : 0.0625f;
            Cell(r + dr, c + dc).velocity -= dropStrength * share;
        }
    }
}

void RippleGrid::Simulate()
{
    for (int pass = 0; pass < kPasses; ++pass) {
        accumulator = 0.0f;
        for (UINT r = 0; r < rows; ++r) {
            for (UINT c = 0; c < cols; ++c) {
                RippleCell& cell = Cell(r, c);
                float average = 0.0f;
                if (r == 0 || c == 0 || r == rows - 1 || c == cols - 1) {
                    cell = RippleCell{0.0f, 0.0f};
                } else {
                    const RippleCell* above = &cells[(r - 1) * cols + c];
                    const RippleCell* here = &cell;
                    const RippleCell* below = &cells[(r + 1) * cols + c];
                    const float corners = above[-1].height + above[1].height + below[-1].height + below[1].height;
                    const float edges = above->height + below->height + here[-1].height + here[1].height;
                    average = corners * (1.0f / 12.0f) + edges * (1.0f / 6.0f);
                }
                cell.velocity = cell.velocity * damping + (average - cell.height) * 0.25f;
                accumulator += cell.velocity + cell.height;
            }
        }
        const float mean = accumulator / static_cast<float>(cellCount);
        for (RippleCell& cell : cells)
            cell.height = cell.height + cell.velocity * heightRate - mean;
    }
}

// The table index is kept within the table and the ray's exit within the
// sphere: a surface wider than it, or an eye below it, still gives numbers.
void RippleGrid::FillVertices(const D3DXVECTOR3& eye, RippleVertex* vertices) const
{
    const float stepZ = height / static_cast<float>(rows - 1);
    const float stepX = width / static_cast<float>(cols - 1);
    const float shrink = 1.0f - 0.05f * depth;
    const auto h = [&](UINT r, UINT c) { return cells[r * cols + c].height; };
    float z = -height / 2.0f;
    for (UINT r = 0; r < rows; ++r, z += stepZ) {
        const UINT up = r == 0 ? rows - 1 : r - 1, down = r == rows - 1 ? 0 : r + 1;
        float x = -width / 2.0f;
        for (UINT c = 0; c < cols; ++c, x += stepX) {
            const UINT left = c == 0 ? cols - 1 : c - 1, right = c == cols - 1 ? 0 : c + 1;
            const float nx = (h(up, left) + h(r, left) + h(down, left)) - (h(up, right) + h(r, right) + h(down, right));
            const float nz = (h(up, left) + h(up, c) + h(up, right)) - (h(down, left) + h(down, c) + h(down, right));
            const D3DXVECTOR3 normal = Normalised(D3DXVECTOR3(nx, 1.0f, nz));
            const D3DXVECTOR3 position(x, h(r, c), z);
            const D3DXVECTOR3 toEye = Normalised(eye - position);
            const float d = D3DXVec3Dot(&toEye, &normal);
            const long index = std::clamp(std::lrintf(255.0f * d), 0l, 255l);
            const RefractionEntry& entry = refraction[index];
            const D3DXVECTOR3 reflected = entry.normalCoefficient * normal + toEye;
            const D3DXVECTOR3 ray = entry.incidentCoefficient * reflected;
            const D3DXVECTOR3 p(x, position.y - 20.0f, z);
            const float b = 2.0f * D3DXVec3Dot(&ray, &p);
            const float c0 = D3DXVec3Dot(&p, &p) - 1225.0f;
            const float t = depth * (std::sqrt(std::max(b * b - 4.0f * c0, 0.0f)) - b) / 2.0f;
            RippleVertex& vertex = vertices[r * cols + c];
            vertex = {position.x, position.y, position.z, normal.x, normal.y, normal.z, entry.colour,
                      shrink * (x + t * ray.x) * invWidth + 0.5f, shrink * (z + t * ray.z) * invHeight + 0.5f};
        }
    }
}

void RippleGrid::Step(const D3DXVECTOR3& eye)
{
    void* locked = nullptr;
    if (!vertexBuffer || !refraction || FAILED(vertexBuffer->Lock(0, 0, &locked, 0)))
        return;
    Simulate();
    FillVertices(eye, static_cast<RippleVertex*>(locked));
    vertexBuffer->Unlock();
}

void RippleGrid::Draw() const
{
    if (!vertexBuffer || !indexBuffer)
        return;
    g_currentDevice->SetVertexShader(nullptr);
    g_currentDevice->SetFVF(RippleVertex::FVF);
    g_currentDevice->SetStreamSource(0, vertexBuffer.Get(), 0, sizeof(RippleVertex));
    g_currentDevice->SetIndices(indexBuffer.Get());
    g_currentDevice->DrawIndexedPrimitive(D3DPT_TRIANGLESTRIP, 0, 0, vertexCount, 0, indexCount - 2);
}

float RippleDamping(unsigned value)
{
    const float s = static_cast<float>(value);
    return value < 50 ? s * 0.09f * 0.02f + 0.9f : (s - 50.0f) * 0.009f * 0.02f + 0.99f;
}
