// A four-vertex strip with its own texture: the splash picture, the border
// quads and the renderer's textured overlays.
#pragma once

#include "scene/render/kv_simple_mesh.h"

class TexturedQuad : public KV_SimpleMesh {
public:
    // A new RHWCT buffer placed from the quad, white, with the texture.
    void SetQuad(IDirect3DTexture9* texture, const ScreenQuad& quad);
    // As SetQuad with the program's own picture 0, which does not exist.
    void SetQuadResourceTexture(const ScreenQuad& quad);
    void SetPositions(const ScreenQuad& quad);
    void SetAlpha(float alpha);

    TextureHolder texture;
    DWORD extra = 0;

private:
    // The bits of every vertex colour under mask.
    void SetDiffuse(D3DCOLOR mask, D3DCOLOR colour);
};

// The first frame's picture: the program's own picture 5 as a centred square
// of two thirds of the back-buffer height.
void CreateSplashQuad(TexturedQuad& quad);
