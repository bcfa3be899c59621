#include "scene/light/kv_abrender.h"

#include "particles/sprites/particle_system_ctrl.h"
#include "particles/sprites/sprite_array_obj.h"
#include "scene/render/textured_indexed_quad.h"

#include "scene/render/current_device.h"
#include "scene/render/mesh_node.h"
#include "scene/render/vertex_formats.h"
#include "scene/render/view_context.h"

#include <algorithm>

std::vector<SavedRenderTarget> g_renderTargetSizeStack;

namespace {

// The code these meshes have always carried, although they hold two pairs.
constexpr DWORD kTex2Fvf = D3DFVF_XYZ | D3DFVF_TEX3;
constexpr UINT kTex2Stride = 28;

void SetMeshWorld(const KV_SimpleMesh& mesh)
{
    if (g_currentRenderContext)
        g_currentRenderContext->SetWorldTransform(mesh.world);
}

void DrawIndexed(const KV_IndexedMesh& mesh, UINT primitiveCount)
{
    g_currentDevice->DrawIndexedPrimitive(mesh.primitiveType, 0, 0, mesh.vertexCount, 0, primitiveCount);
}

void SetIndexedStream(const KV_IndexedMesh& mesh, DWORD fvf, UINT stride)
{
    g_currentDevice->SetIndices(mesh.indexBuffer.Get());
    mesh.SetStream(fvf, stride);
}

void SetCull(DWORD mode) { g_currentDevice->SetRenderState(D3DRS_CULLMODE, mode); }

// Transforms, texture and the PNT stream of a mesh node.
void BeginMeshNode(const MeshNode& node)
{
    if (g_currentRenderContext)
        g_currentRenderContext->ApplyTransforms();
    g_currentDevice->SetTexture(0, node.texture.Get());
    SetIndexedStream(node, DX_V::PNT::FVF, sizeof(DX_V::PNT));
}

void DrawAtFrame(const MeshNode& node, const KV_Frame& frame)
{
    if (g_currentRenderContext)
        g_currentRenderContext->SetWorldTransform(frame.world);
    DrawIndexed(node, node.triangleCount);
}

void EndMeshNode()
{
    SetCull(D3DCULL_NONE);
    g_currentDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
}

} // namespace

// The grids drawn here lie in picture pixels like the picture quad: passes
// without a vertex stage need the world as much as DrawPT's do.
void KV_ABRender::DrawIndexedPT(const KV_IndexedMesh& mesh, ID3DXEffect* effect)
{
    SetMeshWorld(mesh);
    SetIndexedStream(mesh, DX_V::PT::FVF, sizeof(DX_V::PT));
    RunEffectPasses(effect, [&] { DrawIndexed(mesh, mesh.triangleCount); });
}

void KV_ABRender::DrawTex2(const KV_SimpleMesh& mesh, ID3DXEffect* effect)
{
    SetMeshWorld(mesh);
    mesh.SetStream(kTex2Fvf, kTex2Stride);
    RunEffectPasses(effect,
                    [&] { g_currentDevice->DrawPrimitive(mesh.primitiveType, 0, mesh.primitiveCount); });
}

void KV_ABRender::DrawPT(const KV_SimpleMesh& mesh, ID3DXEffect* effect)
{
    SetMeshWorld(mesh);
    mesh.SetStreamPT();
    RunEffectPasses(effect,
                    [&] { g_currentDevice->DrawPrimitive(mesh.primitiveType, 0, mesh.primitiveCount); });
}

void KV_ABRender::DrawSprites(const KV_IndexedMesh& mesh, ID3DXEffect* effect, UINT primitiveCount)
{
    SetMeshWorld(mesh);
    SetIndexedStream(mesh, DX_V::PCT::FVF, sizeof(DX_V::PCT));
    if (effect) {
        RunEffectPasses(effect, [&] { DrawIndexed(mesh, primitiveCount); });
        return;
    }
    g_currentDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    g_currentDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    g_currentDevice->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    g_currentDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    g_currentDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    g_currentDevice->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    g_currentDevice->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    DrawIndexed(mesh, primitiveCount);
}

void KV_ABRender::DrawIndexedPCT(const KV_IndexedMesh& mesh, ID3DXEffect* effect)
{
    SetMeshWorld(mesh);
    SetIndexedStream(mesh, DX_V::PCT::FVF, sizeof(DX_V::PCT));
    RunEffectPasses(effect, [&] { DrawIndexed(mesh, mesh.triangleCount); });
}

void KV_ABRender::DrawColourQuad(const KV_SimpleMesh& mesh)
{
    g_currentDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    g_currentDevice->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
    g_currentDevice->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_DIFFUSE);
    mesh.SetStream(DX_V::PC::FVF, sizeof(DX_V::PC));
    g_currentDevice->DrawPrimitive(mesh.primitiveType, 0, mesh.primitiveCount);
    g_currentDevice->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    g_currentDevice->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
}

void KV_ABRender::DrawMeshParts(const MeshNode& node)
{
    const bool blended = node.flag != 0;
    if (blended)
        g_currentDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    BeginMeshNode(node);
    for (int pass = 0; pass < (blended ? 2 : 1); ++pass) {
        for (const KV_Frame* frame : node.instances) {
            const bool counterClockwise = (frame->faceOrder != 0) == (pass == 0);
            SetCull(counterClockwise ? D3DCULL_CCW : D3DCULL_CW);
            DrawAtFrame(node, *frame);
        }
    }
    EndMeshNode();
}

void KV_ABRender::DrawMeshPartsTwoPass(const MeshNode& node)
{
    g_currentDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    g_currentDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
    g_currentDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    BeginMeshNode(node);
    for (const KV_Frame* frame : node.instances) {
        SetCull(D3DCULL_CCW);
        DrawAtFrame(node, *frame);
        SetCull(D3DCULL_CW);
        DrawAtFrame(node, *frame);
    }
    EndMeshNode();
}

void KV_ABRender::DrawMeshTwoTextures(const KV_SpriteArrayObj& sprites)
{
    const KV_SpriteArrayObj::Geometry& mesh = sprites.GetGeometry();
    // A system whose count was 0 from the start has no buffers.
    if (!mesh.vertexBuffer || !mesh.indexBuffer)
        return;
    if (g_currentRenderContext) {
        g_currentRenderContext->ApplyTransforms();
        g_currentRenderContext->SetWorldTransform(mesh.world);
    }
    // Never more quads than the buffers hold.
    const UINT quads = std::min(sprites.Sprites().GetParticleCount(), mesh.vertexCount / 4);
    const auto draw = [&] {
        if (quads > 0)
            DrawIndexed(mesh, 2 * quads);
    };
    TextureHolder second;
    second.Reset(sprites.GetSecondTexture());
    const int blendMode = sprites.Sprites().blendMode.Value();
    SetCull(D3DCULL_NONE);
    g_currentDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    g_currentDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_MODULATE);
    g_currentDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    g_currentDevice->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    g_currentDevice->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    g_currentDevice->SetRenderState(D3DRS_DESTBLEND, !second && blendMode != 0 ? D3DBLEND_ONE : D3DBLEND_INVSRCALPHA);
    g_currentDevice->SetTexture(0, mesh.CurrentFrame());
    SetIndexedStream(mesh, DX_V::PCT::FVF, sizeof(DX_V::PCT));
    draw();
    if (second) {
        g_currentDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
        g_currentDevice->SetTexture(0, second.Get());
        if (blendMode == 1)
            g_currentDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
        draw();
    }
    g_currentDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    g_currentDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
}

void KV_ABRender::DrawTexturedQuad(TexturedIndexedQuad& quad)
{
    quad.BeforeDraw();
    g_currentDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    SetCull(D3DCULL_NONE);
    g_currentDevice->SetRenderState(D3DRS_ZENABLE, FALSE);
    g_currentDevice->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    g_currentDevice->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
    g_currentDevice->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    g_currentDevice->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
    g_currentDevice->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_TFACTOR);
    g_currentDevice->SetRenderState(D3DRS_TEXTUREFACTOR, 0xFFFFFFFF);
    g_currentDevice->SetTexture(0, quad.texture.Get());
    SetIndexedStream(quad, DX_V::PT::FVF, sizeof(DX_V::PT));
    DrawIndexed(quad, quad.triangleCount);
    g_currentDevice->SetTextureStageState(0, D3DTSS_COLORARG2, D3DTA_DIFFUSE);
    g_currentDevice->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
    g_currentDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
    g_currentDevice->SetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, D3DTTFF_DISABLE);
}
