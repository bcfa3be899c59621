// Sprite geometry and the renderer's sprite draws on a 64 x 64 back buffer:
// what is written, the recorded draw states, and pixels read back.
#include "sprite_fixtures.h"

#include "particles/sprites/fish_kinds.h"
#include "particles/sprites/fog.h"
#include "particles/sprites/sprite_array_obj.h"
#include "particles/sprites/stat_obj.h"
#include "platform/d3d9_pipeline/pipeline_fixture.h"
#include "platform/sim_d3d_draws.h"
#include "scene/render/light_fixture.h"
#include "scene/render/textured_indexed_quad.h"
#include "scene/resources/kv_docresmanager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

namespace sprite_test {
namespace {

using d3d9_test::ColoursNear;
using platform::sim::DrawRecord;

const ResourceKey kPicture{L"sprite.png", 1};
const ResourceKey kSecond{L"second.png", 2};

std::vector<D3DCOLOR> Solid(UINT count, D3DCOLOR colour) { return std::vector<D3DCOLOR>(count, colour); }

class SpriteDrawTest : public render_test::LightTest {
protected:
    void SetUp() override
    {
        LightTest::SetUp();
        ShowPicture(64, 64, Solid(64 * 64, 0xFF808080));
        previousPlacement_ = g_picturePlacement;
        g_picturePlacement = &context.Placement();
        g_currentDocResManager = manager_.get();
    }
    void TearDown() override
    {
        platform::sim::RecordDraws(false);
        g_currentDocResManager = nullptr;
        manager_.reset();
        g_picturePlacement = previousPlacement_;
        LightTest::TearDown();
    }

    // The frames as the document's picture under the key.
    void Store(const ResourceKey& key, const std::vector<IDirect3DTexture9*>& frames,
               std::vector<float> durations = {})
    {
        TextureSequence& sequence = manager_->Tables().sequences[key];
        for (IDirect3DTexture9* frame : frames)
            sequence.AppendFrame(frame);
        sequence.durations = std::move(durations);
    }

    // A static sprite of size 32 centred on the picture, white unless told.
    static std::unique_ptr<KV_StatObjConstructor> Centred()
    {
        auto d = std::make_unique<KV_StatObjConstructor>();
        d->size.SetValue(32);
        d->placement.extra1.Value() = 32;
        d->placement.extra2.Value() = 32;
        d->image.SetKey(kPicture);
        return d;
    }

    static std::unique_ptr<KV_SpriteArrayObj> Make(const KV_ParticleSystemCtrl& d)
    {
        std::unique_ptr<KV_ABObj> object = d.CreateObject();
        return std::unique_ptr<KV_SpriteArrayObj>(static_cast<KV_SpriteArrayObj*>(object.release()));
    }

    // One frame of the background and the object; the draws recorded.
    std::vector<DrawRecord> Draw(KV_SpriteArrayObj& object)
    {
        EXPECT_EQ(device()->BeginScene(), D3D_OK);
        light.RenderBackground(0);
        platform::sim::RecordDraws(true);
        platform::sim::TakeDraws();
        object.Render(light);
        device()->EndScene();
        std::vector<DrawRecord> draws = platform::sim::TakeDraws();
        platform::sim::RecordDraws(false);
        return draws;
    }

    std::vector<DX_V::PCT> Vertices(const KV_SpriteArrayObj& object)
    {
        const auto& mesh = object.GetGeometry();
        std::vector<DX_V::PCT> vertices(mesh.vertexCount);
        void* locked = nullptr;
        EXPECT_EQ(mesh.vertexBuffer->Lock(0, 0, &locked, D3DLOCK_READONLY), D3D_OK);
        std::memcpy(vertices.data(), locked, vertices.size() * sizeof(DX_V::PCT));
        mesh.vertexBuffer->Unlock();
        return vertices;
    }

    std::unique_ptr<KV_DocResManager> manager_ = std::make_unique<KV_DocResManager>();

private:
    const PicturePlacement* previousPlacement_ = nullptr;
};

TEST_F(SpriteDrawTest, ASmallerCountDrawsTheFirstSpritesAndALargerOneTheSameAgain)
{
    Store(kPicture, {MakeTexture(1, 1, {0xFFFFFFFF})});
    KV_FishConstructor fish;
    fish.count.SetValue(3);
    fish.image.SetKey(kPicture);
    auto object = Make(fish);
    std::vector<const SpriteInstance*> sprites;
    for (const auto& instance : object->GetGeometry().Instances())
        sprites.push_back(&instance);
    ASSERT_EQ(sprites.size(), 3u);
    for (const auto& [count, triangles] : {std::pair{1u, 2u}, std::pair{3u, 6u}}) {
        object->Sprites().count.SetValue(count);
        object->Update(0.02f);
        const auto draws = Draw(*object);
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_EQ(draws[0].primitiveCount, triangles);
        EXPECT_EQ(object->GetGeometry().vertexCount, 4 * count);
        std::vector<const SpriteInstance*> now;
        for (const auto& instance : object->GetGeometry().Instances())
            now.push_back(&instance);
        EXPECT_EQ(now, sprites);
        // The first quad is the first sprite's.
        const SpriteInstance& first = *sprites[0];
        EXPECT_FLOAT_EQ(Vertices(*object)[1].x, first.GetCorner().x);
    }
}

TEST_F(SpriteDrawTest, EachQuadTakesItsOwnSpritesModulatedColour)
{
    Store(kPicture, {MakeTexture(1, 1, {0xFFFFFFFF})});
    KV_FogConstructor fog;
    fog.count.SetValue(8);
    fog.pulseSpeed = 1.0f;
    fog.image.SetKey(kPicture);
    auto object = Make(fog);
    // Phases pulsing both ways: the sprites' alphas part.
    object->Update(0.1f);
    object->Update(0.4f);
    const auto vertices = Vertices(*object);
    std::vector<D3DCOLOR> colours, expected;
    for (const SpriteInstance& instance : object->GetGeometry().Instances()) {
        const D3DCOLOR modulated = object->Sprites().ModulateColor(instance.colour);
        expected.insert(expected.end(), 4, modulated);
        colours.push_back(instance.colour);
    }
    std::ranges::sort(colours);
    ASSERT_NE(colours.front(), colours.back());
    std::vector<D3DCOLOR> written;
    for (const DX_V::PCT& vertex : vertices)
        written.push_back(vertex.diffuse);
    EXPECT_EQ(written, expected);
}

float FirstU(const std::vector<DX_V::PCT>& vertices) { return vertices[1].u; }

TEST_F(SpriteDrawTest, AStripStepsOneFrameAtItsRateAndFlipUSwapsTheFramesPair)
{
    Store(kPicture, {MakeTexture(4, 1, Solid(4, 0xFFFFFFFF))});
    auto d = Centred();
    d->strip = true;
    d->frameCount = 4;
    d->stripRate = 10.0f;
    auto object = Make(*d);
    std::vector<float> firstUs;
    float t = 0.0f;
    for (int frame = 0; frame < 5; ++frame) {
        t += 0.11f;
        object->Update(t);
        firstUs.push_back(FirstU(Vertices(*object)));
    }
    EXPECT_EQ(firstUs, (std::vector<float>{0.25f, 0.5f, 0.75f, 0.0f, 0.25f}));
    // Finer frames: at most one step per frame, about one per 0.1 s.
    int changes = 0;
    float last = firstUs.back();
    bool changedBefore = false;
    for (int frame = 0; frame < 40; ++frame) {
        t += 0.04f;
        object->Update(t);
        const float u = FirstU(Vertices(*object));
        const bool changed = u != last;
        EXPECT_FALSE(changed && changedBefore);
        changedBefore = changed;
        changes += changed;
        last = u;
    }
    EXPECT_GE(changes, 10);
    EXPECT_LE(changes, 16);

    auto flipped = Centred();
    flipped->strip = true;
    flipped->frameCount = 4;
    flipped->stripRate = 10.0f;
    flipped->flipU.SetValue(1);
    auto flippedObject = Make(*flipped);
    flippedObject->Update(0.11f);
    const auto vertices = Vertices(*flippedObject);
    EXPECT_FLOAT_EQ(vertices[0].u, 0.5f);
    EXPECT_FLOAT_EQ(vertices[2].u, 0.25f);
}

// 1 / rate below any clock step: a negative rate steps every frame, however
// short; a rate of 0 never steps.
TEST_F(SpriteDrawTest, AStripOfNegativeRateStepsEveryFrameAndOfRateZeroNever)
{
    Store(kPicture, {MakeTexture(4, 1, Solid(4, 0xFFFFFFFF))});
    const std::pair<float, std::vector<float>> cases[] = {{-5.0f, {0.25f, 0.5f, 0.75f, 0.0f, 0.25f}},
                                                          {0.0f, {0.0f, 0.0f, 0.0f, 0.0f, 0.0f}}};
    for (const auto& [rate, expected] : cases) {
        SCOPED_TRACE(rate);
        auto d = Centred();
        d->strip = true;
        d->frameCount = 4;
        d->stripRate = rate;
        auto object = Make(*d);
        std::vector<float> firstUs;
        for (int frame = 1; frame <= 5; ++frame) {
            object->Update(0.01f * static_cast<float>(frame));
            firstUs.push_back(FirstU(Vertices(*object)));
        }
        EXPECT_EQ(firstUs, expected);
    }
}

TEST_F(SpriteDrawTest, ASequenceStepsOnTheAnimationClock)
{
    for (const auto& [speed, interval] : {std::pair{100u, 0.5f}, std::pair{200u, 0.25f}}) {
        SCOPED_TRACE(speed);
        KV_FishConstructor fish;
        fish.animationSpeed.SetValue(speed);
        AnimatedTexture<ParticleGeomArray> texture(fish);
        TextureSequence sequence;
        sequence.durations = {0.5f, 0.5f};
        texture.SetSequence(sequence);
        std::vector<float> changes;
        for (int frame = 1; frame <= 100; ++frame) {
            const float t = 0.02f * static_cast<float>(frame);
            fish.animationSpeed.Advance(t);
            if (texture.Step(fish.animationSpeed.Phase()))
                changes.push_back(t);
        }
        ASSERT_GE(changes.size(), 3u);
        for (size_t k = 1; k < changes.size(); ++k)
            EXPECT_NEAR(changes[k] - changes[k - 1], interval, 0.021f);
    }
}

TEST_F(SpriteDrawTest, TheDrawUsesTheAnimatedFrameNotTheSequencesOwnIndex)
{
    IDirect3DTexture9* first = MakeTexture(1, 1, {0xFFFF0000});
    IDirect3DTexture9* second = MakeTexture(1, 1, {0xFF0000FF});
    Store(kPicture, {first, second}, {0.5f, 0.5f});
    auto d = Centred();
    d->imageKind = 1;
    auto object = Make(*d);
    float t = 0.0f;
    std::vector<IDirect3DBaseTexture9*> drawn;
    for (int frame = 0; frame < 30; ++frame) {
        t += 0.05f;
        object->Update(t);
        drawn.push_back(Draw(*object).at(0).stages.at(0).texture);
    }
    EXPECT_EQ(drawn.front(), first);
    EXPECT_NE(std::find(drawn.begin(), drawn.end(), second), drawn.end());
    EXPECT_EQ(object->GetGeometry().Sequence().current, 0u);
}

struct PassCase {
    const char* name;
    int blendMode;
    bool second;
    std::vector<std::pair<DWORD, DWORD>> passes;  // colour operation, destination blend
};

TEST_F(SpriteDrawTest, BlendModeAndTheSecondTextureChooseEachPassesStates)
{
    IDirect3DTexture9* picture = MakeTexture(1, 1, {0xFFFFFFFF});
    IDirect3DTexture9* secondPicture = MakeTexture(1, 1, {0xFF0000FF});
    Store(kPicture, {picture});
    Store(kSecond, {secondPicture});
    const PassCase cases[] = {
        {"alpha", 0, false, {{D3DTOP_MODULATE, D3DBLEND_INVSRCALPHA}}},
        {"additive", 2, false, {{D3DTOP_MODULATE, D3DBLEND_ONE}}},
        {"mode 2, second", 2, true, {{D3DTOP_MODULATE, D3DBLEND_INVSRCALPHA}, {D3DTOP_SELECTARG1, D3DBLEND_INVSRCALPHA}}},
        {"mode 1, second", 1, true, {{D3DTOP_MODULATE, D3DBLEND_INVSRCALPHA}, {D3DTOP_SELECTARG1, D3DBLEND_ONE}}},
    };
    for (const PassCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto d = Centred();
        d->count.SetValue(2);
        d->blendMode.SetValue(c.blendMode);
        if (c.second)
            d->secondImage.SetKey(kSecond);
        auto object = Make(*d);
        object->Update(0.02f);
        const auto draws = Draw(*object);
        ASSERT_EQ(draws.size(), c.passes.size());
        for (size_t k = 0; k < draws.size(); ++k) {
            const DrawRecord& draw = draws[k];
            EXPECT_TRUE(draw.indexed);
            EXPECT_EQ(draw.fvf, DX_V::PCT::FVF);
            EXPECT_EQ(draw.stride, 24u);
            EXPECT_EQ(draw.primitiveCount, 4u);
            EXPECT_TRUE(draw.alphaBlend);
            EXPECT_EQ(draw.srcBlend, static_cast<DWORD>(D3DBLEND_SRCALPHA));
            EXPECT_EQ(draw.cullMode, static_cast<DWORD>(D3DCULL_NONE));
            EXPECT_EQ(draw.stages.at(0).colorOp, c.passes[k].first);
            EXPECT_EQ(draw.stages.at(0).alphaOp, static_cast<DWORD>(D3DTOP_MODULATE));
            EXPECT_EQ(draw.destBlend, c.passes[k].second);
            EXPECT_EQ(draw.stages.at(0).texture, k == 0 ? picture : secondPicture);
        }
        DWORD blending = TRUE, destination = 0;
        device()->GetRenderState(D3DRS_ALPHABLENDENABLE, &blending);
        device()->GetRenderState(D3DRS_DESTBLEND, &destination);
        EXPECT_EQ(blending, static_cast<DWORD>(FALSE));
        EXPECT_EQ(destination, static_cast<DWORD>(D3DBLEND_INVSRCALPHA));
    }
}

struct PixelCase {
    const char* name;
    int blendMode;
    D3DCOLOR second;  // 0: none
    D3DCOLOR expected;
};

TEST_F(SpriteDrawTest, ATintedHalfTransparentSpriteOverGrey)
{
    Store(kPicture, {MakeTexture(1, 1, {0xFFFFFFFF})});
    Store(kSecond, {MakeTexture(1, 1, {0xFF0000FF})});
    const PixelCase cases[] = {
        {"alpha", 0, 0, 0xBF4040},
        {"additive", 2, 0, 0xFF8080},
        // The second pass draws its own colour over the first, alpha still the sprite's.
        {"second texture", 0, 0xFF0000FF, 0x6020A0},
    };
    for (const PixelCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto d = Centred();
        d->colour.Value() = 0x000000FF;  // red, in COLORREF order
        d->alpha.SetValue(50);
        d->blendMode.SetValue(c.blendMode);
        if (c.second)
            d->secondImage.SetKey(kSecond);
        auto object = Make(*d);
        object->Update(0.02f);
        Draw(*object);
        EXPECT_TRUE(ColoursNear(Pixel(32, 32), c.expected, 3)) << std::hex << Pixel(32, 32);
        EXPECT_TRUE(ColoursNear(Pixel(4, 4), 0x808080, 1)) << "outside the sprite";
    }
}

TEST_F(SpriteDrawTest, FlipUMirrorsATwoColourPicture)
{
    Store(kPicture, {MakeTexture(2, 1, {0xFFFF0000, 0xFF00FF00})});
    for (const int flip : {0, 1}) {
        auto d = Centred();
        d->flipU.SetValue(flip);
        auto object = Make(*d);
        object->Update(0.02f);
        Draw(*object);
        EXPECT_TRUE(ColoursNear(Pixel(20, 32), flip ? 0x00FF00 : 0xFF0000, 2)) << flip;
        EXPECT_TRUE(ColoursNear(Pixel(44, 32), flip ? 0xFF0000 : 0x00FF00, 2)) << flip;
    }
}

// Sprites that stay as placed: sprite k takes case k.
struct Placement {
    const char* name;
    D3DXVECTOR3 centre;
    float halfWidth, halfHeight;
    D3DXVECTOR3 axisU{1, 0, 0}, axisV{0, 1, 0};
};

class PlacedSprites : public SpriteKind<PlacedSprites> {
public:
    explicit PlacedSprites(std::span<const Placement> placements) : placements_(placements)
    {
        count.SetValue(static_cast<unsigned>(placements.size()));
    }
    void InitParticle(SpriteInstance& i) override
    {
        const Placement& p = placements_[next_++];
        i.centre = p.centre;
        i.halfWidth = p.halfWidth;
        i.halfHeight = p.halfHeight;
        i.axisU = p.axisU;
        i.axisV = p.axisV;
    }

private:
    std::span<const Placement> placements_;
    std::size_t next_ = 0;
};

// Upright sprites take a short way to their quads; it must write the very
// bits the products with the axes give, zero signs and overflow included.
TEST_F(SpriteDrawTest, EveryQuadIsItsSpritesCornersBitForBit)
{
    const Placement placements[] = {
        {"upright", {10.5f, 20.25f, 0}, 4, 3},
        {"upright at z -0", {10.5f, 20.25f, -0.0f}, 4, 3},
        {"no width at x -0", {-0.0f, 5, 0}, 0, 3},
        {"mirrored at z -0", {10, 5, -0.0f}, -4, 3},
        {"an axis holding -0", {10, 5, -0.0f}, 4, 3, {1, 0, -0.0f}},
        {"sides beyond the float range", {10, 5, 0}, 3e38f, 3},
        {"turned", {10, 5, 0}, 4, 3, {0.6f, 0.8f, 0}, {-0.8f, 0.6f, 0}},
    };
    PlacedSprites sprites(placements);
    auto object = Make(sprites);
    object->Update(0.02f);
    const auto vertices = Vertices(*object);
    const auto& instances = object->GetGeometry().Instances();
    ASSERT_EQ(vertices.size(), 4 * std::size(placements));
    for (std::size_t k = 0; k < std::size(placements); ++k) {
        const std::array<D3DXVECTOR3, 4> corners = instances[k].QuadCorners();
        for (std::size_t j = 0; j < 4; ++j)
            EXPECT_EQ(std::memcmp(&vertices[4 * k + j].x, &corners[j], sizeof corners[j]), 0)
                << placements[k].name << ", vertex " << j;
    }
}

TEST_F(SpriteDrawTest, StaticGeometryIsWrittenOnceAfterEveryResize)
{
    Store(kPicture, {MakeTexture(1, 1, {0xFFFF0000})});
    auto d = Centred();
    d->staticGeometry.SetValue(1);
    auto object = Make(*d);
    object->Update(0.02f);
    Draw(*object);
    EXPECT_TRUE(ColoursNear(Pixel(32, 32), 0xFF0000, 2));
}

TEST_F(SpriteDrawTest, HostileCountsFramesAndSequencesDrawCleanly)
{
    IDirect3DTexture9* picture = MakeTexture(1, 1, {0xFFFFFFFF});
    Store(kPicture, {picture}, {0.1f, 0.1f, 0.1f});
    struct Case {
        const char* name;
        unsigned count, frameCount;
        bool sequence, emptyLink;
    };
    const Case cases[] = {
        {"huge count", 0x2AAAAAAB, 1, false, false},
        {"frame count 0", 1, 0, false, false},
        {"more durations than frames", 1, 1, true, false},
        {"no picture", 1, 1, false, true},
        {"no sprites", 0, 1, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto d = Centred();
        d->count.SetValue(c.count);
        d->strip = true;
        d->frameCount = c.frameCount;
        d->stripRate = 30.0f;
        d->imageKind = c.sequence ? 1 : 0;
        if (c.emptyLink)
            d->image.SetKey({L"missing.png", 9});
        auto object = Make(*d);
        for (int frame = 1; frame <= 10; ++frame) {
            object->Update(0.1f * static_cast<float>(frame));
            const auto draws = Draw(*object);
            for (const DrawRecord& draw : draws)
                EXPECT_LE(draw.primitiveCount, 2 * 16383u);
        }
        EXPECT_LE(object->GetGeometry().vertexCount, 4 * 16383u);
    }
}

// Counts the renderer's call before the draw.
class CountingQuad : public TexturedIndexedQuad {
public:
    void BeforeDraw() override { ++prepared; }
    int prepared = 0;
};

TEST_F(SpriteDrawTest, ATexturedQuadDrawsItsTextureWithItsAlphaByTheFactor)
{
    CountingQuad quad;
    render_test::FillQuad(quad, {{16, 48, 0, 0, 1}, {16, 16, 0, 0, 0}, {48, 48, 0, 1, 1}, {48, 16, 0, 1, 0}});
    quad.texture.Share(MakeTexture(1, 1, {0x80FF0000}));

    ASSERT_EQ(device()->BeginScene(), D3D_OK);
    light.RenderBackground(0);
    device()->SetRenderState(D3DRS_ZENABLE, TRUE);
    platform::sim::RecordDraws(true);
    platform::sim::TakeDraws();
    light.DrawTexturedQuad(quad);
    device()->EndScene();
    const auto draws = platform::sim::TakeDraws();
    platform::sim::RecordDraws(false);
    EXPECT_EQ(quad.prepared, 1);
    ASSERT_EQ(draws.size(), 1u);
    const DrawRecord& draw = draws[0];
    EXPECT_TRUE(draw.indexed);
    EXPECT_EQ(draw.fvf, DX_V::PT::FVF);
    EXPECT_EQ(draw.stride, 20u);
    EXPECT_EQ(draw.primitiveCount, 2u);
    EXPECT_TRUE(draw.alphaBlend);
    EXPECT_FALSE(draw.zEnable);
    EXPECT_EQ(draw.cullMode, static_cast<DWORD>(D3DCULL_NONE));
    EXPECT_EQ(draw.stages.at(0).colorOp, static_cast<DWORD>(D3DTOP_SELECTARG1));
    EXPECT_EQ(draw.stages.at(0).colorArg1, static_cast<DWORD>(D3DTA_TEXTURE));
    EXPECT_EQ(draw.stages.at(0).alphaOp, static_cast<DWORD>(D3DTOP_MODULATE));
    EXPECT_EQ(draw.stages.at(0).alphaArg1, static_cast<DWORD>(D3DTA_TEXTURE));
    EXPECT_EQ(draw.stages.at(0).alphaArg2, static_cast<DWORD>(D3DTA_TFACTOR));
    EXPECT_EQ(draw.textureFactor, 0xFFFFFFFFu);
    EXPECT_TRUE(ColoursNear(Pixel(32, 32), 0xBF4040, 3)) << std::hex << Pixel(32, 32);
    EXPECT_TRUE(ColoursNear(Pixel(4, 4), 0x808080, 1));
    DWORD value = 0;
    device()->GetRenderState(D3DRS_ALPHABLENDENABLE, &value);
    EXPECT_EQ(value, static_cast<DWORD>(FALSE));
    device()->GetTextureStageState(0, D3DTSS_ALPHAARG2, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTA_DIFFUSE));
    device()->GetTextureStageState(0, D3DTSS_COLORARG2, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTA_DIFFUSE));
    device()->GetTextureStageState(0, D3DTSS_TEXTURETRANSFORMFLAGS, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTTFF_DISABLE));
}

TEST_F(SpriteDrawTest, AVersionOneSpriteGetsItsLinksWhenItsObjectIsMade)
{
    BaseFields base;
    base.version = 1;
    base.inlineClaimed = 1;
    base.inlineHeld = 1;
    auto fish = ReadAs<KV_FishConstructor>(KindRecord(u"KV_FishConstructor", 1, Join({LeFloat(1), LeFloat(1)}), base));
    ASSERT_TRUE(fish);
    auto object = Make(*fish);
    EXPECT_EQ(object->Sprites().image.GetPath(), L"frame.png");
    EXPECT_EQ(object->Sprites().secondImage.Key(), (ResourceKey{L"common_res.dll", 7}));
    EXPECT_TRUE(object->Sprites().inlineFrames.empty());
    // A later record with an empty path leaves its links alone.
    KV_FishConstructor current;
    current.ResolveImages();
    EXPECT_TRUE(current.image.GetPath().empty());
}

}  // namespace
}  // namespace sprite_test
