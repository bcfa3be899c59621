#include "scene/render/textured_quad.h"

#include "scene/resources/texture_loaders.h"

namespace {

constexpr int kSplashPicture = 5;
constexpr int kMissingPicture = 0;

}  // namespace

void TexturedQuad::SetQuad(IDirect3DTexture9* newTexture, const ScreenQuad& quad)
{
    texture.Share(newTexture);
    CreateQuadRHWCT();
    WriteQuadRHWCT(quad);
    SetDiffuse(0xFFFFFFFF, 0xFFFFFFFF);
}

void TexturedQuad::SetQuadResourceTexture(const ScreenQuad& quad)
{
    TextureHolder picture;
    LoadTextureFromResource(kMissingPicture, false, picture.Receive());
    SetQuad(picture.Get(), quad);
}

void TexturedQuad::SetDiffuse(D3DCOLOR mask, D3DCOLOR colour)
{
    EditVertices<DX_V::RHWCT>(4, [&](DX_V::RHWCT* vertices) {
        for (int i = 0; i < 4; ++i)
            vertices[i].diffuse = (vertices[i].diffuse & ~mask) | (colour & mask);
    });
}

void TexturedQuad::SetPositions(const ScreenQuad& quad) { WriteQuadRHWCT(quad); }

void TexturedQuad::SetAlpha(float alpha)
{
    SetDiffuse(0xFF000000, static_cast<D3DCOLOR>(AlphaByte(alpha)) << 24);
}

void CreateSplashQuad(TexturedQuad& quad)
{
    TextureHolder picture;
    LoadTextureFromResource(kSplashPicture, false, picture.Receive());
    const D3DSURFACE_DESC backBuffer = GetBackBufferDesc();
    const float side = static_cast<float>(static_cast<int>(backBuffer.Height)) * 2 / 3;
    const float x0 = (static_cast<float>(static_cast<int>(backBuffer.Width)) - side) * 0.5f;
    const float y0 = (static_cast<float>(backBuffer.Height) - side) * 0.5f;
    ScreenQuad corners;
    corners.corners[0].x = x0;
    corners.corners[0].y = y0 + side;
    corners.corners[1].x = x0;
    corners.corners[1].y = y0;
    corners.corners[2].x = x0 + side;
    corners.corners[2].y = y0 + side;
    corners.corners[3].x = x0 + side;
    corners.corners[3].y = y0;
    quad.SetQuad(picture.Get(), corners);
}
