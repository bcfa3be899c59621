#include "effects/lights/glass_ball_textures.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "scene/render/current_device.h"

namespace glass_ball {
namespace {

// Height of the hemisphere of radius 128 over texel (i, j); 0 off it.
float Height(int i, int j)
{
    const float di = static_cast<float>(i - 128), dj = static_cast<float>(j - 128);
    const float r = 16384.0f - (di * di + dj * dj);
    return r > 0.0f ? std::sqrt(r) : 0.0f;
}

SHORT Slope(float difference) { return static_cast<SHORT>(std::atan(difference) * 16297.466f); }

template <class Fill>
HRESULT CreateFilled(TextureHolder& holder, UINT side, D3DFORMAT format, Fill fill)
{
    holder.Reset();
    if (!g_currentDevice ||
        FAILED(g_currentDevice->CreateTexture(side, side, 1, 0, format, D3DPOOL_MANAGED, holder.Receive(), nullptr)))
        return E_FAIL;
    D3DLOCKED_RECT locked{};
    if (FAILED(holder->LockRect(0, &locked, nullptr, 0))) {
        holder.Reset();
        return E_FAIL;
    }
    fill(static_cast<BYTE*>(locked.pBits), locked.Pitch);
    holder->UnlockRect(0);
    return S_OK;
}

BYTE Blend(DWORD top, DWORD bottom, int shift, float t)
{
    const int a = static_cast<int>((top >> shift) & 0xFF), b = static_cast<int>((bottom >> shift) & 0xFF);
    return static_cast<BYTE>(static_cast<int>(static_cast<float>(b - a) * t + static_cast<float>(a)));
}

} // namespace

void FillBumpMap(BYTE* bits, INT pitch)
{
    const int last = static_cast<int>(kBumpSide) - 1;
    for (int i = 0; i <= last; ++i) {
        auto* row = reinterpret_cast<DWORD*>(bits + static_cast<ptrdiff_t>(i) * pitch);
        for (int j = 0; j <= last; ++j) {
            const float z = Height(i, j);
            const SHORT u = Slope(z - Height(i, std::min(j + 1, last)));
            const SHORT v = Slope(z - Height(std::min(i + 1, last), j));
            row[j] = static_cast<WORD>(u) | static_cast<DWORD>(static_cast<WORD>(v)) << 16;
        }
    }
}

void FillMask(BYTE* bits, INT pitch)
{
    for (int i = 0; i < static_cast<int>(kMaskSide); ++i) {
        BYTE* row = bits + static_cast<ptrdiff_t>(i) * pitch;
        for (int j = 0; j < static_cast<int>(kMaskSide); ++j)
            row[j] = (i - 512) * (i - 512) + (j - 512) * (j - 512) > 258064 ? 0xFF : 0;
    }
}

void FillGradient(BYTE* bits, INT pitch, DWORD top, DWORD bottom)
{
    for (UINT i = 0; i < kGradientSide; ++i) {
        const float t = static_cast<float>(i) / 255.0f;
        const DWORD texel = static_cast<DWORD>(Blend(top, bottom, 0, t)) << 16 |
                            static_cast<DWORD>(Blend(top, bottom, 8, t)) << 8 | Blend(top, bottom, 16, t);
        auto* row = reinterpret_cast<DWORD*>(bits + static_cast<ptrdiff_t>(i) * pitch);
        for (UINT j = 0; j < kGradientSide; ++j)
            row[j] = texel;
    }
}

HRESULT CreateBumpMap(TextureHolder& holder) { return CreateFilled(holder, kBumpSide, D3DFMT_V16U16, FillBumpMap); }

HRESULT CreateMask(TextureHolder& holder) { return CreateFilled(holder, kMaskSide, D3DFMT_A8, FillMask); }

HRESULT CreateGradient(TextureHolder& holder, DWORD top, DWORD bottom)
{
    return CreateFilled(holder, kGradientSide, D3DFMT_A8R8G8B8,
                        [&](BYTE* bits, INT pitch) { FillGradient(bits, pitch, top, bottom); });
}

} // namespace glass_ball
