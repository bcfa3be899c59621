// The effect-drawn sprites on a 64 x 64 back buffer over a picture of that
// size, with the common module as the build lays it beside saver, and a
// renderer that logs the draws made through an effect.
#pragma once

#include "effects/screenfx/recording_effect.h"
#include "particles/sprites/particle_system_ctrl.h"
#include "scene/light/picture_quad.h"
#include "scene/render/light_fixture.h"
#include "scene/resources/kv_docresmanager.h"

#include <memory>
#include <string>
#include <vector>

namespace sprite_test {

// A draw through an effect: what was drawn and what the effect held then.
struct LoggedDraw {
    std::string geometry;  // "sprites" or "picture"
    std::string technique;
    std::map<std::string, IDirect3DBaseTexture9*> textures;
    size_t callsBefore;  // how many of the effect's calls came before it
};

// Draws nothing; logs each draw made with the recording effect.
class DrawLog : public KV_ABRender {
public:
    void Write(KV_IOF_Virtual&) const override {}
    void PushRenderTarget(const RenderTargetPair&, int) override {}
    void PopRenderTarget() override {}
    void DrawPT(const KV_SimpleMesh& mesh, ID3DXEffect* effect) override;
    void DrawIndexedPCT(const KV_IndexedMesh& mesh, ID3DXEffect* effect) override;
    TextureHolder& GetSceneTexture() override;
    const PictureQuad& GetPictureQuad() const override { return quad_; }
    UINT GetPictureWidth() const override { return 64; }
    UINT GetPictureHeight() const override { return 64; }

    screenfx_test::RecordingEffect* effect = nullptr;
    std::vector<LoggedDraw> draws;
    TextureHolder scene;
    int sceneAsked = 0;

private:
    void Log(const char* geometry, ID3DXEffect* used);

    PictureQuad quad_;
};

class EffectSpriteTest : public render_test::LightTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The description's runtime object, drawn after those placed before it.
    template <class Object>
    Object& Place(const KV_ABObj_Constructor& description)
    {
        auto* object = static_cast<Object*>(description.CreateObject().release());
        objects.insert(objects.begin(), CountedRef<KV_ABObj>(object));
        return *object;
    }
    // A recording effect that the link's key names, logged by the renderer.
    screenfx_test::RecordingEffect& Record(const ResourceKey& key, std::vector<std::string> techniques);
    // One frame at t of every placed object, then drawn as the slide draws.
    void Frame(float t, int readers);
    // The frames as the picture the link names.
    void Store(const ResourceKey& key, IDirect3DTexture9* frame);
    // The texture as the generated picture under the key (a text's picture).
    void StoreGenerated(const GuidKey& key, IDirect3DTexture9* texture);
    // Opaque texels of the colour, w x h.
    IDirect3DTexture9* Solid(UINT w, UINT h, D3DCOLOR colour);
    // w x h texels, the left half the colour, the right half clear.
    IDirect3DTexture9* LeftHalf(UINT w, UINT h, D3DCOLOR colour);

    // Let go before the device, with the effects and textures it holds.
    std::unique_ptr<KV_DocResManager> managerHolder = std::make_unique<KV_DocResManager>();
    KV_DocResManager& manager = *managerHolder;
    DrawLog log;

private:
    const PicturePlacement* previousPlacement_ = nullptr;
};

}  // namespace sprite_test
