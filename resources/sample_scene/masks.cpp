#include "masks.h"

#include <algorithm>
#include <cmath>

#include "scene/resources/kv_docresmanager.h"

namespace {

constexpr int kMaskSize = 256;

template <class T>
void Put(std::vector<BYTE>& bytes, T value) {
    const auto* raw = reinterpret_cast<const BYTE*>(&value);
    bytes.insert(bytes.end(), raw, raw + sizeof value);
}

}  // namespace

float SoftEllipse(float u, float v, float cu, float cv, float ru, float rv) {
    const float du = (u - cu) / ru, dv = (v - cv) / rv;
    return std::clamp((1.0f - std::sqrt(du * du + dv * dv)) * 6.0f, 0.0f, 1.0f);
}

std::vector<BYTE> MaskBitmap(int size, Coverage coverage) {
    const DWORD rowBytes = static_cast<DWORD>(size * 3 + 3) & ~3u;
    const DWORD pixelBytes = rowBytes * static_cast<DWORD>(size);
    const DWORD headers = 14 + 40;
    std::vector<BYTE> bytes;
    Put<WORD>(bytes, 0x4D42);  // "BM"
    Put<DWORD>(bytes, headers + pixelBytes);
    Put<DWORD>(bytes, 0);
    Put<DWORD>(bytes, headers);
    Put<DWORD>(bytes, 40);
    Put<LONG>(bytes, size);
    Put<LONG>(bytes, size);
    Put<WORD>(bytes, 1);
    Put<WORD>(bytes, 24);
    Put<DWORD>(bytes, 0);  // uncompressed
    Put<DWORD>(bytes, pixelBytes);
    Put<LONG>(bytes, 2835);
    Put<LONG>(bytes, 2835);
    Put<DWORD>(bytes, 0);
    Put<DWORD>(bytes, 0);
    for (int row = size - 1; row >= 0; --row) {
        const size_t start = bytes.size();
        for (int x = 0; x < size; ++x) {
            const float u = (static_cast<float>(x) + 0.5f) / static_cast<float>(size);
            const float v = (static_cast<float>(row) + 0.5f) / static_cast<float>(size);
            const auto grey = static_cast<BYTE>(std::clamp(coverage(u, v), 0.0f, 1.0f) * 255.0f + 0.5f);
            bytes.insert(bytes.end(), {grey, grey, grey});
        }
        bytes.resize(start + rowBytes, 0);
    }
    return bytes;
}

void StoreMask(KV_DocResManager& manager, const GuidKey& key, Coverage coverage) {
    const std::vector<BYTE> bitmap = MaskBitmap(kMaskSize, coverage);
    manager.Tables().guidImages[key].Assign(L"mask.bmp", static_cast<DWORD>(bitmap.size()), bitmap.data());
}
