#include "generator_fixture.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace particles_test {

void GeneratorTest::SetUp()
{
    LightTest::SetUp();
    g_currentDocResManager = manager.get();
    ShowPicture(64, 64, std::vector<D3DCOLOR>(64 * 64, 0xFF000000 | kPicture));
}

void GeneratorTest::TearDown()
{
    objects.clear();
    g_currentDocResManager = nullptr;
    manager.reset();
    LightTest::TearDown();
}

void GeneratorTest::LinkEffect(KV_TexParticleGenerator& generator, ID3DXEffect* effect)
{
    const ResourceKey key{L"effect" + std::to_wstring(++keys_) + L".fx", keys_};
    manager->Tables().effects[key].Reset(effect);
    generator.effectLink.SetKey(key);
}

void GeneratorTest::LinkParticleEffect(KV_TexParticleGenerator& generator)
{
    LinkEffectFile(generator, PARTICLE_EFFECT_FILE);
}

void GeneratorTest::LinkEffectFile(KV_TexParticleGenerator& generator, const char* path)
{
    std::ifstream file(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty());
    ID3DXEffect* effect = nullptr;
    ID3DXBuffer* errors = nullptr;
    ASSERT_EQ(D3DXCreateEffect(device(), text.data(), static_cast<UINT>(text.size()), nullptr, nullptr, 0, nullptr,
                               &effect, &errors),
              D3D_OK)
        << (errors ? static_cast<const char*>(errors->GetBufferPointer()) : "");
    LinkEffect(generator, effect);
}

void GeneratorTest::AddImage(KV_TexParticleGenerator& generator, IDirect3DTexture9* texture)
{
    AddImage(generator, std::vector<IDirect3DTexture9*>{texture}, 0.0f);
}

void GeneratorTest::AddImage(KV_TexParticleGenerator& generator, const std::vector<IDirect3DTexture9*>& frames,
                             float seconds)
{
    const ResourceKey key{L"image" + std::to_wstring(++keys_) + L".png", keys_};
    TextureSequence& sequence = manager->Tables().sequences[key];
    for (IDirect3DTexture9* frame : frames)
        sequence.AppendFrame(frame);
    if (frames.size() > 1)
        sequence.durations.assign(frames.size(), seconds);
    D3DSURFACE_DESC description{};
    frames.front()->GetLevelDesc(0, &description);
    sequence.width = description.Width;
    sequence.height = description.Height;
    sequence.aspect = static_cast<float>(description.Height) / static_cast<float>(description.Width);
    generator.images.emplace_back(KV_FileLink3::FromKey(key));
}

KV_ParticlesObj& GeneratorTest::Show(const KV_ParticleGenerator& description)
{
    auto* object = static_cast<KV_ParticlesObj*>(description.CreateObject().release());
    objects.emplace_back(object);
    return *object;
}

void GeneratorTest::Frame(float t)
{
    int readers = 0;
    for (const CountedRef<KV_ABObj>& object : objects) {
        object->Update(t);
        readers += object->ReadsScene() ? 1 : 0;
    }
    DrawFrame(readers);
}

testing::AssertionResult Near(D3DCOLOR expected, D3DCOLOR actual)
{
    for (int shift : {16, 8, 0}) {
        const int e = (expected >> shift) & 0xFF, a = (actual >> shift) & 0xFF;
        if (std::abs(e - a) > 2)
            return testing::AssertionFailure() << std::hex << "expected 0x" << expected << ", got 0x" << actual;
    }
    return testing::AssertionSuccess();
}

}  // namespace particles_test
