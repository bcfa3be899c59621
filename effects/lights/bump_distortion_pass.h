// The flame layer's distortion of the finished frame: the captured scene
// drawn over the picture, shifted by a scrolling bump map.
#pragma once

#include <windows.h>

#include <d3d9.h>
#include <d3dx9.h>

#include "scene/model/scaled_param.h"
#include "scene/render/kv_simple_mesh.h"
#include "scene/resources/kv_filelink3.h"
#include "scene/resources/kv_imagefilelink.h"

class BumpDistortionPass {
public:
    BumpDistortionPass();

    // The quad, the bump picture and the effect; whether there is an effect.
    bool Load();
    // The quad over a picture of that size, and the bump map's aspect.
    void SetSize(UINT width, UINT height);
    // The scroll and the strengths for the effect.
    void Update(float time);
    void Draw(IDirect3DTexture9* sceneTexture);

    KV_SimpleMesh quad;
    KV_ImageFileLink bumpMapLink;
    KV_HLSLEffectFile effectLink;
    MediaSpeedParam speed{50, 0.001f, 0.0f};
    UINTSclaleTo<float> strength{25, 0.002f, 0.0f};
    UINTSclaleTo<float> bumpScale{88, -0.009f, 1.0f};
    SharedCom<ID3DXEffect> effect;
    TextureHolder bumpTexture;
    // The picture's height over its width; 1 without a picture.
    float aspect = 1.0f;
};
