// Description base of every object that occupies a rectangle of the
// picture. The rectangle is kept relative to the picture size; the pixel
// rectangle follows it, and editing a pixel edge updates the relative one.
#pragma once

#include "scene/model/abobj_constructor.h"
#include "scene/model/bound_control_list.h"
#include "scene/model/media_rectangle.h"
#include "scene/model/picture_placement.h"
#include "scene/model/screen_quad.h"

#include <d3dx9math.h>
#include <windef.h>

class KV_ViewObjCtrl : public KV_ABObj_Constructor {
public:
    KV_ViewObjCtrl();
    // The bindings and the pixel rectangle are the copy's own.
    KV_ViewObjCtrl(const KV_ViewObjCtrl& other);

    ~KV_ViewObjCtrl() override;
    void Write(KV_IOF_Virtual& archive) const override;
    void Reset() override;
    virtual ScreenQuad GetScreenQuad() const;
    // The default quad with its corners on the four edges.
    static ScreenQuad EdgeQuad(float left, float right, float top, float bottom);
    virtual bool HitTest(float x, float y) const;

    void WriteRecord(KV_IOF_Virtual& archive) const;
    void ReadRecord(KV_IOF_Virtual& archive);
    void WriteFields(KV_IOF_Virtual& archive) const;
    void ReadFields(KV_IOF_Virtual& archive, DWORD version);

    // Re-derives the pixel edges from the relative rectangle and the
    // picture size; relative values then snap to whole pixels.
    void UpdatePixelRect();

    // Inline: the sprite rules ask for them several times per sprite and frame.
    float GetLeftPixels() const { return relative.left * static_cast<float>(g_picturePlacement->pictureWidth); }
    float GetRightPixels() const { return relative.right * static_cast<float>(g_picturePlacement->pictureWidth); }
    float GetTopPixels() const { return relative.top * static_cast<float>(g_picturePlacement->pictureHeight); }
    float GetBottomPixels() const { return relative.bottom * static_cast<float>(g_picturePlacement->pictureHeight); }

    // Random points of the rectangle in pixels, z 0; x drawn first.
    D3DXVECTOR3 RandomPointInRect() const;
    // The same, kept a sprite's half width and half height inside.
    D3DXVECTOR3 RandomPointInRectInset(float halfWidth, float halfHeight) const;

    // Once a frame: the object's clock runs at speed x 0.02 (50 is real time).
    void AdvanceClock(float t);

    struct RelativeRect {
        float left = 0.0f;
        float right = 1.0f;
        float top = 0.0f;
        float bottom = 1.0f;
    };

    MediaRectangle pixelRect;
    MediaParamT<unsigned int> speed{50};
    bool setting = false;
    RelativeRect relative;
    float clockStep = 0.0f;
    float clock = 0.0f;
    // The frame step, capped at 0.1 s.
    float clampedStep = 0.0f;
    float lastTime = 0.0f;

private:
    void BindEdges();
    void OnLeftChanged(int pixels);
    void OnRightChanged(int pixels);
    void OnTopChanged(int pixels);
    void OnBottomChanged(int pixels);

    BoundControlList m_bindings;
};
