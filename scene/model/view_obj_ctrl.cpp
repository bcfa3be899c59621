#include "scene/model/view_obj_ctrl.h"

#include "scene/model/float_convert.h"
#include "scene/model/fun_light_ctrl.h"
#include "scene/model/picture_placement.h"
#include "scene/model/random_functions.h"

#include <algorithm>
#include <cmath>

namespace {

float PictureWidth() { return static_cast<float>(g_picturePlacement->pictureWidth); }
float PictureHeight() { return static_cast<float>(g_picturePlacement->pictureHeight); }

// Relative position of a pixel edge; before any picture has been laid out
// the size is 0 and the relative value is kept.
void SetRelative(float& relative, int pixels, float size)
{
    if (size > 0.0f)
        relative = static_cast<float>(pixels) / size;
}

void SnapEdge(MediaParamT<int>& edge, float relative, float size)
{
    const int pixels = SaturatingTruncate<int>(relative * size);
    edge.SetValue(pixels);
}

} // namespace

KV_ViewObjCtrl::KV_ViewObjCtrl()
{
    UpdatePixelRect();
    BindEdges();
}

KV_ViewObjCtrl::KV_ViewObjCtrl(const KV_ViewObjCtrl& other)
    : KV_ABObj_Constructor(other), speed(other.speed), setting(other.setting), relative(other.relative)
{
    UpdatePixelRect();
    BindEdges();
}

KV_ViewObjCtrl::~KV_ViewObjCtrl() = default;

void KV_ViewObjCtrl::Write(KV_IOF_Virtual& archive) const { WriteRecord(archive); }

void KV_ViewObjCtrl::Reset()
{
    KV_ABObj_Constructor::Reset();
    clockStep = 0.0f;
    clampedStep = 0.0f;
    lastTime = 0.0f;
    clock = 0.0f;
}

ScreenQuad KV_ViewObjCtrl::GetScreenQuad() const
{
    return EdgeQuad(GetLeftPixels(), GetRightPixels(), GetTopPixels(), GetBottomPixels());
}

ScreenQuad KV_ViewObjCtrl::EdgeQuad(float left, float right, float top, float bottom)
{
    ScreenQuad quad;
    const float positions[4][2] = {{left, bottom}, {left, top}, {right, bottom}, {right, top}};
    for (int i = 0; i < 4; ++i) {
        quad.corners[i].x = positions[i][0];
        quad.corners[i].y = positions[i][1];
    }
    return quad;
}

bool KV_ViewObjCtrl::HitTest(float, float) const { return false; }

void KV_ViewObjCtrl::UpdatePixelRect()
{
    SnapEdge(pixelRect.left, relative.left, PictureWidth());
    SnapEdge(pixelRect.right, relative.right, PictureWidth());
    SnapEdge(pixelRect.top, relative.top, PictureHeight());
    SnapEdge(pixelRect.bottom, relative.bottom, PictureHeight());
}


D3DXVECTOR3 KV_ViewObjCtrl::RandomPointInRect() const
{
    return RandomPointInRectInset(0.0f, 0.0f);
}

D3DXVECTOR3 KV_ViewObjCtrl::RandomPointInRectInset(float halfWidth, float halfHeight) const
{
    const float x = RandomFloat(GetLeftPixels() + halfWidth, GetRightPixels() - halfWidth);
    const float y = RandomFloat(GetTopPixels() + halfHeight, GetBottomPixels() - halfHeight);
    return D3DXVECTOR3(x, y, 0.0f);
}

void KV_ViewObjCtrl::AdvanceClock(float t)
{
    const float dt = std::fabs(t - lastTime);
    clampedStep = std::min(dt, 0.1f);
    clockStep = std::min(dt, 0.2f) * static_cast<float>(speed.Value()) * 0.02f;
    clock += clockStep;
    lastTime = t;
}

void KV_ViewObjCtrl::BindEdges()
{
    m_bindings.SetOwner(this);
    using Binding = KV_FunLightCtrl<int, KV_ViewObjCtrl>;
    Binding::Create(m_bindings, &KV_ViewObjCtrl::OnLeftChanged, pixelRect.left);
    Binding::Create(m_bindings, &KV_ViewObjCtrl::OnRightChanged, pixelRect.right);
    Binding::Create(m_bindings, &KV_ViewObjCtrl::OnTopChanged, pixelRect.top);
    Binding::Create(m_bindings, &KV_ViewObjCtrl::OnBottomChanged, pixelRect.bottom);
}

void KV_ViewObjCtrl::OnLeftChanged(int pixels) { SetRelative(relative.left, pixels, PictureWidth()); }
void KV_ViewObjCtrl::OnRightChanged(int pixels) { SetRelative(relative.right, pixels, PictureWidth()); }
void KV_ViewObjCtrl::OnTopChanged(int pixels) { SetRelative(relative.top, pixels, PictureHeight()); }
void KV_ViewObjCtrl::OnBottomChanged(int pixels) { SetRelative(relative.bottom, pixels, PictureHeight()); }
