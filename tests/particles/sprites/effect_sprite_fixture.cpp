#include "effect_sprite_fixture.h"

#include "scene/model/abobj.h"

#include <cstdlib>

namespace sprite_test {

void DrawLog::Log(const char* geometry, ID3DXEffect* used)
{
    if (!used)
        return;
    LoggedDraw draw{geometry, {}, {}, 0};
    if (used == effect) {
        draw.technique = effect->Technique();
        draw.textures = effect->Textures();
        draw.callsBefore = effect->Calls().size();
    }
    draws.push_back(std::move(draw));
}

void DrawLog::DrawPT(const KV_SimpleMesh& mesh, ID3DXEffect* used)
{
    Log(&mesh == &quad_ ? "picture" : "other", used);
}

void DrawLog::DrawIndexedPCT(const KV_IndexedMesh&, ID3DXEffect* used) { Log("sprites", used); }

TextureHolder& DrawLog::GetSceneTexture()
{
    ++sceneAsked;
    return scene;
}

void EffectSpriteTest::SetUp()
{
    LightTest::SetUp();
    // common_res.res as the build lays it beside saver.
    setenv("SAVER_MODULE_PATH", SAVER_BUILD_DIR, 1);
    g_currentDocResManager = &manager;
    previousPlacement_ = g_picturePlacement;
    g_picturePlacement = &context.Placement();
    ShowPicture(64, 64, std::vector<D3DCOLOR>(64 * 64, 0xFF404040));
}

void EffectSpriteTest::TearDown()
{
    objects.clear();
    g_currentDocResManager = nullptr;
    managerHolder.reset();
    g_picturePlacement = previousPlacement_;
    unsetenv("SAVER_MODULE_PATH");
    LightTest::TearDown();
}

screenfx_test::RecordingEffect& EffectSpriteTest::Record(const ResourceKey& key, std::vector<std::string> techniques)
{
    auto* effect = new screenfx_test::RecordingEffect(std::move(techniques));
    manager.Tables().effects[key].Reset(effect);
    log.effect = effect;
    return *effect;
}

void EffectSpriteTest::Frame(float t, int readers)
{
    for (auto& object : objects)
        object->Update(t);
    DrawFrame(readers);
}

void EffectSpriteTest::Store(const ResourceKey& key, IDirect3DTexture9* frame)
{
    TextureSequence& sequence = manager.Tables().sequences[key];
    sequence.ReleaseFrames();
    sequence.AppendFrame(frame);
}

void EffectSpriteTest::StoreGenerated(const GuidKey& key, IDirect3DTexture9* texture)
{
    texture->AddRef();
    manager.GuidTextures()[key].Reset(texture);
}

IDirect3DTexture9* EffectSpriteTest::Solid(UINT w, UINT h, D3DCOLOR colour)
{
    return MakeTexture(w, h, std::vector<D3DCOLOR>(w * h, colour));
}

IDirect3DTexture9* EffectSpriteTest::LeftHalf(UINT w, UINT h, D3DCOLOR colour)
{
    std::vector<D3DCOLOR> texels(w * h);
    for (UINT i = 0; i < texels.size(); ++i)
        texels[i] = i % w < w / 2 ? colour : 0x00000000;
    return MakeTexture(w, h, texels);
}

}  // namespace sprite_test
