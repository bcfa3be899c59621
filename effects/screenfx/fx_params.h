// Small helpers of the masked effects: effect parameters by name, scaled
// values read with notification, and the effects' angle and wave maths.
#pragma once

#include <cmath>
#include <initializer_list>

#include <windows.h>

#include <d3dx9.h>

#include "scene/document/kv_iof_virtual.h"
#include "scene/model/noise.h"
#include "scene/model/scaled_param.h"

inline void SetFloats(ID3DXEffect& effect, const char* name, std::initializer_list<float> values)
{
    effect.SetFloatArray(name, values.begin(), static_cast<UINT>(values.size()));
}

// A stored value that differs is set with notification, so the result
// follows.
inline void ReadScaledValue(KV_IOF_Virtual& archive, MediaParamTB<unsigned int>& param)
{
    UINT value = param.Value();
    archive.ReadUInt(&value);
    param.SetValue(value);
}

// A kind's own default for a scaled value it inherits: the result follows.
inline void SetScaledDefault(UINTSclaleTo<float>& param, unsigned int value, float factor)
{
    param.SetFactor(factor);
    param.StoreAndNotify(value);
}

// Whole degrees with pi in single precision.
inline float Radians(float degrees) { return degrees * (3.1415927f / 180.0f); }

// A vector turned about z (row-vector convention: v x R).
inline D3DXVECTOR4 TurnedAboutZ(const D3DXVECTOR4& v, float radians)
{
    D3DXMATRIX rotation;
    D3DXMatrixRotationZ(&rotation, radians);
    D3DXVECTOR4 turned;
    D3DXVec4Transform(&turned, &v, &rotation);
    return turned;
}

// Angles stored clockwise on screen: 360 - angle, as a signed difference.
inline float ClockwiseRadians(unsigned int degrees)
{
    return Radians(static_cast<float>(360 - static_cast<int>(degrees)));
}

// Sine and cosine in double precision of a single-precision argument.
inline float Sin(float x) { return static_cast<float>(std::sin(static_cast<double>(x))); }
inline float Cos(float x) { return static_cast<float>(std::cos(static_cast<double>(x))); }

// The smooth pulse of the light effects at a phase: 0 to 1.
inline float Pulse(float phase) { return (Sin(0.2f * phase) + 1.0f) * 0.5f; }

// Their flicker: two octaves of the fractal noise, about 0 to 1.
inline float Flicker(float phase)
{
    const double n = NoiseOctaves(static_cast<double>(10.0f * phase), 75.0, 0.5, 2);
    return static_cast<float>((n + 1.0) * 0.5);
}

#include <memory>

#include "scene/model/bound_control_list.h"
#include "scene/model/fun_light_ctrl.h"
#include "scene/resources/kv_docresmanager.h"

// The owner's callback runs whenever the parameter changes; the list owns
// the control.
template <class C>
void BindCallback(BoundControlList& list, C* owner, MediaParam& param, void (C::*callback)())
{
    auto& control = list.Add(std::make_unique<KV_FunLightCtrl2<C>>(&param, callback, owner));
    param.Attach(&control);
}

// A picture link's data goes to the document writer with the manager.
inline void WriteImageLink(KV_IOF_Virtual& archive, const KV_FileLink3& link)
{
    if (g_currentDocResManager)
        g_currentDocResManager->RegisterImageLink(link);
    WriteFileLink(archive, link);
}

// A COLORREF (red in the lowest byte) as three floats from 0 to 1.
struct ColourFloats {
    float red, green, blue;
};
inline ColourFloats SplitColour(DWORD colour)
{
    return {static_cast<float>(colour & 0xFF) / 255.0f, static_cast<float>((colour >> 8) & 0xFF) / 255.0f,
            static_cast<float>((colour >> 16) & 0xFF) / 255.0f};
}
