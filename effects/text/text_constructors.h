// Text over the slide: a picture of the finished text, which the document
// stores under the text's key, drawn on a quad at the position and of the
// size stored; still, scrolling inside its quad, or as a link that shows a
// hand cursor.
#pragma once

#include "effects/text/font_media_param.h"
#include "particles/sprites/stat_base_fx_ctrl.h"
#include "scene/render/d3d_helpers.h"
#include "scene/resources/resource_key.h"

class KV_StaticTextConstructor : public SpriteKind<KV_StaticTextConstructor, KV_StatBaseFXCtrl> {
public:
    // Red, its speed following its opacity; records replace both.
    KV_StaticTextConstructor();
    // The key stays: the copy shows the same picture.
    KV_StaticTextConstructor(const KV_StaticTextConstructor&) = default;

    void Write(KV_IOF_Virtual& archive) const override;
    void Read(KV_IOF_Virtual& archive, DWORD version);
    void WriteRecord(KV_IOF_Virtual& archive) const;
    void ReadRecord(KV_IOF_Virtual& archive);

    // The effect, then the picture stored under the key.
    void LoadResources() override;
    // The quad centred on the position, the stored size.
    void UpdateParticle(SpriteInstance& instance) override;
    // Draws the quad itself, so the object draws nothing more: false.
    bool SetupEffect(KV_ABRender& renderer, ParticleGeomArray& geometry) override;

    IDirect3DTexture9* TextTexture() const { return m_textTexture.Get(); }

    // Kept, read and written; they take no part in drawing.
    MediaParamT<int> firstSetting;
    MediaParamT<int> secondSetting;
    MediaParamT<kv_string> text;
    FontMediaParam font;
    GuidKey pictureKey;

private:
    // The time line's values of a version-1 record, in milliseconds.
    void ApplyOldTimes(const DWORD (&milliseconds)[4]);
    // A copy of the picture at the quad's size under the key, for the writer.
    void StorePictureCopy() const;

    TextureHolder m_textTexture;
};

// The shift of the picture inside its quad for a scroll offset: 1 at every
// whole offset, falling from 1 towards -2 while the offset goes from 0 to -1.
float ScrollOffsetToShift(float offset);

class KV_ScrollingTextConstructor : public SpriteKind<KV_ScrollingTextConstructor, KV_StaticTextConstructor> {
public:
    void Write(KV_IOF_Virtual& archive) const override;
    void Read(KV_IOF_Virtual& archive, DWORD version);

    // The static placement, then one clock step of scrolling.
    void UpdateParticle(SpriteInstance& instance) override;
    bool SetupEffect(KV_ABRender& renderer, ParticleGeomArray& geometry) override;

    // Whether the text scrolls: with a period or a tile size of 0 it stands
    // still, the picture in place over the whole quad.
    bool Scrolls() const;
    float Shift(int axis) const { return m_shift[axis]; }
    // A: directions 2 and 3, across; B: directions 0 and 1, down and up.
    float OffsetA() const { return m_offsetA; }
    float OffsetB() const { return m_offsetB; }

    // Seconds for one picture at the default speed.
    MediaParamT<unsigned int> scrollPeriod;
    // 0 and 1 scroll vertically, 2 and 3 across.
    MediaParamT<int> direction;
    // The picture's height and width in the quad's units.
    float tileHeight = 0.0f;
    float tileWidth = 0.0f;

private:
    float m_shift[2] = {0.0f, 0.0f};
    float m_offsetA = 1.0f / 3.0f;
    float m_offsetB = 0.0f;
};

class KV_TextLinkConstructor : public SpriteKind<KV_TextLinkConstructor, KV_StaticTextConstructor> {
public:
    void Write(KV_IOF_Virtual& archive) const override;
    void Read(KV_IOF_Virtual& archive, DWORD version);

    // Over the shown text: the hand cursor, and true.
    bool OnMouseMove(int x, int y) override;
    // Runs the hit test; a link leads nowhere in the player.
    void OnMouseClick(int x, int y) override;
    // A back-buffer point inside the quad, its edges included.
    bool HitTest(float x, float y) const override;

    // Kept, read and written.
    MediaParamT<unsigned int> linkValue;
};
