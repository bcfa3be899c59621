// Base of the masked shader effects: a compiled effect drawn over the slide
// picture inside a mask, on its own clock, over the picture alone or over
// the scene drawn so far.
#pragma once

#include <array>
#include <memory>

#include <windows.h>

#include <d3d9.h>
#include <d3dx9.h>

#include "scene/model/abobj_constructor.h"
#include "scene/model/com_holder.h"
#include "scene/model/media_quad.h"
#include "scene/model/scaled_param.h"
#include "scene/render/kv_indexed_mesh.h"
#include "scene/render/shared_com.h"
#include "scene/resources/kv_filelink3.h"
#include "scene/resources/resource_key.h"

class KV_ABRender;

// An entry of the document's generated-picture table.
using MaskSlot = ComHolder<IDirect3DTexture9>;

class KV_FX_Constructor : public KV_ABObj_Constructor {
public:
    // Clone semantics: every value copied, the mask, the effect and the grid
    // buffers shared.
    KV_FX_Constructor(const KV_FX_Constructor& other);
    ~KV_FX_Constructor() override;

    void Write(KV_IOF_Virtual& archive) const override;
    std::unique_ptr<KV_ABObj> CreateObject() const override;
    // A fresh mask key and no mask: the description stops sharing the mask
    // entry of the one it was copied from.
    void AssignKey() override;
    virtual void LoadResources(MaskSlot& slot);
    virtual void BuildMesh();
    TextureHolder& GetMaskTexture() { return maskTexture; }
    virtual void Update(float time);
    virtual void Render(KV_ABRender& renderer) = 0;
    virtual void SetMaskTexture(const MaskSlot& slot);
    virtual std::unique_ptr<KV_FX_Constructor> Clone() const = 0;
    // Whether the runtime object takes the scene drawn before it: kinds
    // that draw with usesBackground over the whole picture.
    virtual bool ReadsScene() const { return usesBackground.Value() != 0; }

    void BuildGrid(int columns, int rows);
    // The common tail: technique, "Scale", "Mask", "Background" and the
    // effect over the whole picture quad.
    void DrawScreenPass(KV_ABRender& renderer);
    void SetCommonParams(KV_ABRender& renderer);
    // Without the scene, the placement grid alone; with it, the picture.
    void DrawMeshPass(KV_ABRender& renderer);

    // The base part that ends every kind's record.
    void WriteRecord(KV_IOF_Virtual& archive) const;
    static void ReadRecord(KV_IOF_Virtual& archive, KV_FX_Constructor& description);

    MediaSpeedParam speed{0, 1.0f, 0.0f};
    MediaParamT<int> usesBackground{0};
    KV_HLSLEffectFile effectLink;
    UINTSclaleTo<float> scale{50, 0.02f, 0.0f};
    MediaQuad placement;
    MediaParamTB<int> placementInt{0};
    GuidKey maskKey;
    TextureHolder maskTexture;
    SharedCom<ID3DXEffect> effect;
    KV_IndexedMesh gridMesh;
    int gridColumns = 0;
    int gridRows = 0;

protected:
    // The kind's defaults: its effect in the common module (0: none, the
    // document supplies it) and its clock.
    KV_FX_Constructor(INT effectId, unsigned int speedValue, float speedFactor = 1.0f);

    // Whether the picture and scale give finite "Scale" values: a stored
    // zero would send inf or NaN to the effect.
    bool CanDrawScreenPass(const KV_ABRender& renderer) const;
    float Opacity() const { return TimeLine().GetOpacity(); }
    // The technique that follows usesBackground.
    const char* ScreenTechnique() const;
    float Aspect(const KV_ABRender& renderer) const;
    // The grid over the placement with these texture coordinates at the
    // corners, interpolated between them.
    void FillGrid(const std::array<D3DXVECTOR2, 4>& cornerCoordinates);

private:
    void WriteFields(KV_IOF_Virtual& archive) const;
    void ReadFields(KV_IOF_Virtual& archive, DWORD version);
    // Puts a 512 x 512 copy of the mask in the generated-picture table for
    // the document writer.
    void StoreMaskCopy() const;
};

// The module that holds the effects and pictures of the default links.
inline constexpr const wchar_t* kCommonModule = L"common_res.dll";
