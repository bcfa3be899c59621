// The renderer every scene object of a slide draws through: fixed vertex
// layouts, their render states and effect passes, the picture queries and
// the render-target stack.
#pragma once

#include <windows.h>

#include <d3d9.h>
#include <d3dx9.h>

#include <vector>

#include "scene/model/kv_iof_item.h"
#include "scene/render/d3d_helpers.h"

class KV_IndexedMesh;
class MeshNode;
class KV_SimpleMesh;
class KV_SpriteArrayObj;
class PictureQuad;
class RenderTargetPair;
class TexturedIndexedQuad;
class TexturedQuad;

// A pushed target: the size and view mode to return to.
struct SavedRenderTarget {
    int width;
    int height;
    int mode;
};

// Shared by every light: pushes nest across the objects of a slide.
// A vector, so that pushes after the first frame take no memory.
extern std::vector<SavedRenderTarget> g_renderTargetSizeStack;

class KV_ABRender : public KV_IOF_Item {
public:
    // Lays the picture out for the pair's size in the mode; binding the
    // target is the caller's business.
    virtual void PushRenderTarget(const RenderTargetPair& pair, int mode) = 0;
    // Back to the size and mode of the matching push; nothing on an empty
    // stack.
    virtual void PopRenderTarget() = 0;
    virtual void DrawIndexedPT(const KV_IndexedMesh& mesh, ID3DXEffect* effect);
    // Position and two coordinate pairs per vertex.
    virtual void DrawTex2(const KV_SimpleMesh& mesh, ID3DXEffect* effect);
    virtual void DrawPT(const KV_SimpleMesh& mesh, ID3DXEffect* effect);
    // Without an effect, alpha-blended texture times diffuse.
    virtual void DrawSprites(const KV_IndexedMesh& mesh, ID3DXEffect* effect, UINT primitiveCount);
    virtual void DrawIndexedPCT(const KV_IndexedMesh& mesh, ID3DXEffect* effect);
    // Once per listed frame, culled by the frame's face order; a blended
    // node draws every frame again with the other side.
    virtual void DrawMeshParts(const MeshNode& node);
    // The sprites at the animated frame, blended or additive, and again
    // with the second texture's colour when there is one.
    virtual void DrawMeshTwoTextures(const KV_SpriteArrayObj& sprites);
    // Blended, both sides of every frame, texture alone.
    virtual void DrawMeshPartsTwoPass(const MeshNode& node);
    // The quad's colour and its alpha by the texture factor.
    virtual void DrawTexturedQuad(TexturedIndexedQuad& quad);
    // Blended by the vertex diffuse, untextured.
    void DrawColourQuad(const KV_SimpleMesh& mesh);
    // The scene drawn so far, for the objects that read it.
    virtual TextureHolder& GetSceneTexture() = 0;
    virtual const PictureQuad& GetPictureQuad() const = 0;
    virtual UINT GetPictureWidth() const = 0;
    virtual UINT GetPictureHeight() const = 0;
};

// Begin, every pass around the draw, End; nothing without an effect.
template <class Draw>
void RunEffectPasses(ID3DXEffect* effect, Draw draw)
{
    if (!effect)
        return;
    UINT passes = 0;
    if (FAILED(effect->Begin(&passes, 0)))
        return;
    for (UINT i = 0; i < passes; ++i) {
        effect->BeginPass(i);
        draw();
        effect->EndPass();
    }
    effect->End();
}
