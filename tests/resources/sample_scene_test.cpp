// The sample scene as the program carries it: the document that the build
// wrote loads, every slide comes back as the sample built it, each of the
// sample's pictures resolves to a texture of its size, the 3D objects
// build from what it stores, and its music and sound object play the
// sounds the build made.
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>

#include <dshow.h>

#include <platform/sim_audio.h>

#include "effects/lights/fake_lake_2d.h"
#include "effects/lights/fake_undervater.h"
#include "effects/lights/flame_light.h"
#include "effects/lights/glass_ball_light.h"
#include "effects/lights/matrix_code_light.h"
#include "effects/lights/water_ring_light.h"
#include "effects/screenfx/background_copy.h"
#include "effects/screenfx/bend_fx.h"
#include "effects/screenfx/brush_obj.h"
#include "effects/screenfx/cloud_fx.h"
#include "effects/screenfx/expand_fx.h"
#include "effects/screenfx/fire_fx.h"
#include "effects/screenfx/light_fx.h"
#include "effects/screenfx/move_fx.h"
#include "effects/screenfx/radial_wave_fx.h"
#include "effects/screenfx/rotation_fx.h"
#include "effects/screenfx/waterfall_fx.h"
#include "effects/screenfx/waves_fx.h"
#include "effects/text/text_constructors.h"
#include "particles/generators/bling.h"
#include "particles/generators/brown_animation.h"
#include "particles/generators/falling_stars.h"
#include "particles/generators/firework.h"
#include "particles/generators/lightning.h"
#include "particles/generators/particles_obj.h"
#include "particles/generators/path_animation.h"
#include "particles/generators/plant.h"
#include "particles/generators/radial_rays.h"
#include "particles/generators/smoke.h"
#include "particles/generators/static_animation.h"
#include "particles/generators/twinkling_stars.h"
#include "particles/objects3d/kv_3d_in_2d_array.h"
#include "particles/objects3d/kv_3d_in_2d_array_constructor.h"
#include "particles/objects3d/kv_3dobj_array.h"
#include "particles/objects3d/kv_butterfly_constructor.h"
#include "particles/objects3d/kv_clock_constructor.h"
#include "particles/sprites/discharge_fx.h"
#include "particles/sprites/explosion.h"
#include "particles/sprites/fx_obj.h"
#include "particles/sprites/particle_system_ctrl.h"
#include "platform/d3dx9/device_fixture.h"
#include "resources/common_res/common_res_ids.h"
#include "resources/resource.h"
#include "resources/sample_scene/sample_music.h"
#include "resources/sample_scene/sample_scene.h"
#include "scene/document/scene_document.h"
#include "scene/model/com_holder.h"
#include "scene/render/current_device.h"
#include "scene/slideshow/kv_slideshow_light.h"
#include "sound/direct_sound.h"
#include "sound/kv_wav_constructor.h"

namespace {

std::vector<BYTE> FileBytes(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class SampleScene : public d3d9_test::D3DXDeviceTest {
protected:
    void SetUp() override {
        D3DXDeviceTest::SetUp();
        g_currentDevice = device();
        // common_res.res as the build lays it beside saver.
        setenv("SAVER_MODULE_PATH", SAVER_BUILD_DIR, 1);
    }
    void TearDown() override {
        document.manager.reset();
        g_currentDocResManager = nullptr;
        g_currentDevice = nullptr;
        unsetenv("SAVER_MODULE_PATH");
        D3DXDeviceTest::TearDown();
    }

    SceneDocument document;
};

// The pictures the sample shows, each on a slide of its own.
struct SamplePicture {
    const char* label;
    ResourceKey key;  // a stored picture's stamp is a running count: not compared
    bool stored;
    UINT width;
    UINT height;
};

const SamplePicture kPictures[] = {
    {"landscape", {L"", IDR_PICTURE_MOUNTAIN_LAKE}, false, 1024, 576},
    {"garden", {L"", IDR_PICTURE_COTTAGE_GARDEN}, false, 1024, 576},
    {"portrait", {L"", IDR_PICTURE_BIRCH_FOREST}, false, 576, 1024},
    {"square", {L"", IDR_PICTURE_ROSE_WINDOW}, false, 1024, 1024},
    {"small", {L"", IDR_PICTURE_TILE_MOSAIC}, false, 160, 120},
    {"night", {L"", IDR_PICTURE_NIGHT_HARBOUR}, false, 1024, 576},
    {"stored in the document", {L"desert_dunes.png", 0}, true, 1024, 512},
    {"common_res default", {L"common_res.dll", IDR_DEFAULT_PICTURE}, false, 1024, 768},
};

bool Shows(const KV_SlideContainer& slide, const SamplePicture& picture) {
    const ResourceKey& key = slide.GetLight()->pictureLink.Key();
    return key.name == picture.key.name && (picture.stored || key.stamp == picture.key.stamp);
}

// The first slide whose first drawn object is a T; none when there is none.
template <class T>
KV_SlideContainer* SlideStarting(const KV_SlideShow_Light& show) {
    for (const CountedRef<KV_SlideContainer>& slide : show.slides) {
        const auto& descriptions = slide->drawnDescriptions;
        if (!descriptions.empty() && dynamic_cast<const T*>(descriptions.front().get()) != nullptr) return slide.Get();
    }
    return nullptr;
}

TEST_F(SampleScene, LoadsWithTheSlidesItWasBuiltWith) {
    const std::vector<BYTE> storedPicture = FileBytes(STORED_PICTURE);
    ASSERT_FALSE(storedPicture.empty());
    KV_DocResManager building;
    const auto built = BuildSampleShow(building, storedPicture, ReadSampleSounds(SAMPLE_SOUNDS_DIR));

    document = LoadSceneDocument();
    ASSERT_NE(document.root, nullptr);
    ASSERT_EQ(document.root->slides.size(), built->slides.size());
    for (std::size_t i = 0; i < built->slides.size(); ++i) {
        SCOPED_TRACE("slide " + std::to_string(i));
        const KV_SlideContainer& expected = *built->slides[i];
        const KV_SlideContainer& slide = *document.root->slides[i];
        EXPECT_EQ(slide.fadeIn.Value(), expected.fadeIn.Value());
        EXPECT_EQ(slide.hold.Value(), expected.hold.Value());
        EXPECT_EQ(slide.fadeOut.Value(), expected.fadeOut.Value());
        ASSERT_NE(slide.GetLight(), nullptr);
        const KV_2D_Light& light = *slide.GetLight();
        EXPECT_EQ(light.pictureLink.Key().name, expected.GetLight()->pictureLink.Key().name);
        EXPECT_EQ(light.camera.enable.Value(), expected.GetLight()->camera.enable.Value());
        EXPECT_EQ(light.camera.zoom.Value(), expected.GetLight()->camera.zoom.Value());
        EXPECT_EQ(light.camera.speed.Value(), expected.GetLight()->camera.speed.Value());
        const TextureSequence& border = document.manager->GetImage(light.camera.borderLink);
        ASSERT_EQ(border.Frames().size(), 1u);
        EXPECT_NE(border.Frames().front(), nullptr);
    }

    for (const SamplePicture& picture : kPictures) {
        SCOPED_TRACE(picture.label);
        const auto& slides = document.root->slides;
        const auto slide = std::find_if(slides.begin(), slides.end(), [&](const auto& s) { return Shows(*s, picture); });
        ASSERT_NE(slide, slides.end());
        const TextureSequence& texture = document.manager->GetImage((*slide)->GetLight()->pictureLink);
        ASSERT_EQ(texture.Frames().size(), 1u);
        EXPECT_NE(texture.Frames().front(), nullptr);
        EXPECT_EQ(texture.width, picture.width);
        EXPECT_EQ(texture.height, picture.height);
        if (picture.stored) {
            // The bytes come from the document, not from a file.
            const auto& entries = document.manager->Tables().entries.at((*slide)->GetLight()->pictureLink.Key());
            ASSERT_EQ(entries.size(), 1u);
            EXPECT_EQ(std::vector<BYTE>(entries.front().Data(), entries.front().Data() + entries.front().Size()),
                      storedPicture);
        }
    }
}

// Each layer drawing a whole-scene effect has a slide, and the lake's
// normal map comes back under its key.
TEST_F(SampleScene, TheEffectLayersComeBackWithTheLakesNormalMap) {
    document = LoadSceneDocument();
    ASSERT_NE(document.root, nullptr);
    const auto& slides = document.root->slides;
    const auto layer = [&](auto* typed) {
        using Layer = std::remove_pointer_t<decltype(typed)>;
        for (const auto& slide : slides)
            if (const auto* found = dynamic_cast<const Layer*>(slide->GetLight())) return found;
        return static_cast<const Layer*>(nullptr);
    };
    EXPECT_NE(layer(static_cast<KV_GlassBallLight*>(nullptr)), nullptr);
    EXPECT_NE(layer(static_cast<KV_MatrixCodeLight*>(nullptr)), nullptr);
    EXPECT_NE(layer(static_cast<KV_WaterRingLight*>(nullptr)), nullptr);
    const KV_FlameLight* flames = layer(static_cast<KV_FlameLight*>(nullptr));
    const FakeUndervater* underwater = layer(static_cast<FakeUndervater*>(nullptr));
    ASSERT_TRUE(flames && underwater);
    for (const KV_FileLink3* effect : {static_cast<const KV_FileLink3*>(&flames->distortion.effectLink),
                                       static_cast<const KV_FileLink3*>(&flames->fire.effectLink),
                                       static_cast<const KV_FileLink3*>(&underwater->effect.effectLink)}) {
        ComHolder<ID3DXEffect> created;
        created.Reset(document.manager->GetEffect(*effect));
        EXPECT_NE(created.Get(), nullptr) << effect->Key().stamp;
    }
    const FakeLake2D* lake = layer(static_cast<FakeLake2D*>(nullptr));
    ASSERT_NE(lake, nullptr);
    const auto& normals = document.manager->GuidTextures();
    const auto found = normals.find(lake->normalMapKey);
    ASSERT_NE(found, normals.end());
    ASSERT_NE(found->second.Get(), nullptr);
    D3DSURFACE_DESC desc{};
    ASSERT_EQ(found->second->GetLevelDesc(0, &desc), D3D_OK);
    EXPECT_EQ(desc.Width, 64u);
}

TEST_F(SampleScene, FadesDifferInLengthAndTheCameraWandersAndZooms) {
    document = LoadSceneDocument();
    ASSERT_NE(document.root, nullptr);
    std::set<unsigned> fadeLengths;
    int wandering = 0;
    int zoomed = 0;
    for (const auto& slide : document.root->slides) {
        fadeLengths.insert({slide->fadeIn.Value(), slide->fadeOut.Value()});
        const KVM_Camera& camera = slide->GetLight()->camera;
        wandering += camera.enable.Value() != 0;
        zoomed += camera.enable.Value() != 0 && camera.zoom.Value() > 100;
    }
    EXPECT_GE(fadeLengths.size(), 3u);
    EXPECT_GE(wandering, 2);
    EXPECT_GE(zoomed, 2);
}

// The masked effects' slide: its three effects, each with its mask read
// back from the document and its effect from common_res.
TEST_F(SampleScene, TheEffectsSlideDrawsThreeMaskedEffectsWithTheirMasks) {
    document = LoadSceneDocument();
    ASSERT_NE(document.root, nullptr);
    KV_SlideContainer* found = SlideStarting<KV_BackgroundCopy>(*document.root);
    ASSERT_NE(found, nullptr);
    KV_SlideContainer& slide = *found;
    ASSERT_EQ(slide.drawnDescriptions.size(), 3u);
    auto* copy = dynamic_cast<KV_BackgroundCopy*>(slide.drawnDescriptions[0].get());
    auto* light = dynamic_cast<KV_LightFX*>(slide.drawnDescriptions[1].get());
    auto* waves = dynamic_cast<KV_WavesFX*>(slide.drawnDescriptions[2].get());
    ASSERT_TRUE(copy && light && waves);
    EXPECT_EQ(copy->usesBackground.Value(), 1);
    EXPECT_EQ(copy->copyFlagX.Value(), 1);
    g_currentDocResManager = document.manager.get();
    for (KV_FX_Constructor* effect : {static_cast<KV_FX_Constructor*>(copy), static_cast<KV_FX_Constructor*>(light),
                                      static_cast<KV_FX_Constructor*>(waves)}) {
        const auto object = effect->CreateObject();
        auto& loaded = static_cast<KV_BrushObj&>(*object).Effect();
        ASSERT_NE(loaded.maskTexture.Get(), nullptr);
        D3DSURFACE_DESC mask{};
        ASSERT_EQ(loaded.maskTexture->GetLevelDesc(0, &mask), D3D_OK);
        EXPECT_EQ(mask.Width, 256u);
        EXPECT_NE(loaded.effect.Get(), nullptr);
    }
    EXPECT_TRUE(static_cast<KV_BrushObj&>(*copy->CreateObject()).ReadsScene());
}

// Every masked effect of the sample finds its effect (from the common module
// or carried by the document) and its mask, and every kind has a slide.
TEST_F(SampleScene, EveryMaskedEffectFindsItsEffectAndItsMask) {
    document = LoadSceneDocument();
    ASSERT_NE(document.root, nullptr);
    g_currentDocResManager = document.manager.get();
    std::set<std::string> kinds;
    for (const auto& slide : document.root->slides) {
        for (const auto& description : slide->drawnDescriptions) {
            const auto* effect = dynamic_cast<const KV_FX_Constructor*>(description.get());
            if (!effect) continue;
            SCOPED_TRACE(typeid(*effect).name());
            kinds.insert(typeid(*effect).name());
            const auto object = effect->CreateObject();
            KV_FX_Constructor& loaded = static_cast<KV_BrushObj&>(*object).Effect();
            EXPECT_NE(loaded.effect.Get(), nullptr);
            EXPECT_NE(loaded.maskTexture.Get(), nullptr);
        }
    }
    for (const std::type_info* kind :
         {&typeid(KV_MoveFX), &typeid(KV_WaterfallFX), &typeid(KV_ExpandFX), &typeid(KV_RadialWaveFX),
          &typeid(KV_RotationFX), &typeid(KV_BendFX), &typeid(KV_FireFX), &typeid(KV_CloudFX)})
        EXPECT_EQ(kinds.count(kind->name()), 1u) << kind->name();
}

std::vector<BYTE> Bytes(const EmbeddedFile& file) { return {file.Data(), file.Data() + file.Size()}; }

float Loudest(const std::vector<float>& samples) {
    float loudest = 0;
    for (float sample : samples) loudest = std::max(loudest, std::abs(sample));
    return loudest;
}

// Each track is stored whole, and once in the temporary folder it plays
// for a few seconds, loud enough to be heard.
TEST_F(SampleScene, ThePlaylistStoresTheBuildsMusicAndEveryTrackPlays) {
    platform::sim::UseManualAudioPull();
    const SampleSounds sounds = ReadSampleSounds(SAMPLE_SOUNDS_DIR);
    document = LoadSceneDocument();
    ASSERT_NE(document.root, nullptr);
    ASSERT_EQ(document.root->playlist.size(), std::size(kSampleTracks));
    for (std::size_t i = 0; i < std::size(kSampleTracks); ++i) {
        SCOPED_TRACE(kSampleTracks[i].fileName);
        KV_AudioFile& item = *document.root->playlist[i];
        EXPECT_EQ(item.name, kSampleTracks[i].title);
        const std::string fileName = kSampleTracks[i].fileName;
        EXPECT_TRUE(item.file.FileName().ends_with(L"\\" + kv_string(fileName.begin(), fileName.end())));
        ASSERT_FALSE(sounds.tracks[i].empty());
        EXPECT_EQ(Bytes(item.file), sounds.tracks[i]);

        item.ExportToTempFolder();
        ComHolder<IGraphBuilder> graph;
        ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                   reinterpret_cast<void**>(graph.Receive())),
                  S_OK);
        ASSERT_EQ(graph->RenderFile(item.file.FileName().c_str(), nullptr), S_OK);
        ComHolder<IMediaSeeking> seeking;
        ComHolder<IMediaControl> control;
        ASSERT_EQ(graph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(seeking.Receive())), S_OK);
        ASSERT_EQ(graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(control.Receive())), S_OK);
        LONGLONG duration = 0;
        ASSERT_EQ(seeking->GetDuration(&duration), S_OK);
        EXPECT_GE(duration, 30'000'000);  // 100 ns units
        EXPECT_LE(duration, 80'000'000);
        control->Run();
        std::vector<float> mixed(2 * 22050);
        platform::sim::PullMixedAudio(mixed.data(), mixed.size() / 2, 22050);
        EXPECT_GT(Loudest(mixed), 0.2f);
        control->Stop();
        DeleteFileW(item.file.FileName().c_str());
    }
}

// The chime slide's sound object: read back with its settings, its wave
// data stored in the document, and a sound buffer as long as the chime.
TEST_F(SampleScene, TheChimeSlideRingsTheStoredWaveOnItsTimeLine) {
    platform::sim::UseManualAudioPull();
    const SampleSounds sounds = ReadSampleSounds(SAMPLE_SOUNDS_DIR);
    document = LoadSceneDocument();
    ASSERT_NE(document.root, nullptr);
    KV_WAV_Constructor* chime = nullptr;
    for (const auto& slide : document.root->slides) {
        for (const auto& description : slide->startedDescriptions) {
            if (auto* wav = dynamic_cast<KV_WAV_Constructor*>(description.get())) chime = wav;
        }
    }
    ASSERT_NE(chime, nullptr);
    EXPECT_EQ(chime->volume.Value(), 80u);
    EXPECT_EQ(chime->balance.Value(), 35u);
    const KV_TimeLineControl& timeLine = chime->TimeLine();
    EXPECT_EQ(timeLine.mode.Value(), KV_TimeLineControl::kModeCycle);
    EXPECT_EQ(timeLine.invisibleRange.minimum.Value(), 100u);
    EXPECT_EQ(timeLine.invisibleRange.maximum.Value(), 300u);

    const ResourceEntry* entry = document.manager->GetEntry(chime->link);
    ASSERT_NE(entry, nullptr);
    ASSERT_FALSE(sounds.windChime.empty());
    EXPECT_EQ(Bytes(*entry), sounds.windChime);

    ASSERT_TRUE(InitDirectSound(nullptr));
    g_currentDocResManager = document.manager.get();
    const std::unique_ptr<KV_ABObj> sound = chime->CreateObject();
    EXPECT_NE(static_cast<KV_WAV_Constructor&>(sound->Description()).Buffer(), nullptr);
    EXPECT_EQ(sound->Description().TimeLine().visibleRange.minimum.Value(), 150u);
}

TEST_F(SampleScene, TheStarsSlideDrawsItsGeneratorsWithStoredPicturesAndTheCommonEffect) {
    document = LoadSceneDocument();
    ASSERT_NE(document.root, nullptr);
    const KV_SlideContainer* slide = SlideStarting<KV_TwinklingStars>(*document.root);
    ASSERT_NE(slide, nullptr);
    const auto& descriptions = slide->drawnDescriptions;
    ASSERT_EQ(descriptions.size(), 3u);
    EXPECT_NE(dynamic_cast<const KV_TwinklingStars*>(descriptions[0].get()), nullptr);
    EXPECT_NE(dynamic_cast<const KV_Bling*>(descriptions[1].get()), nullptr);
    const auto* falling = dynamic_cast<const KV_FallingStars*>(descriptions[2].get());
    ASSERT_NE(falling, nullptr);
    EXPECT_EQ(falling->effectLink.Key(), (ResourceKey{L"common_res.dll", IDR_PARTICLE_EFFECT}));
    ComHolder<ID3DXEffect> effect;
    effect.Reset(document.manager->GetEffect(falling->effectLink));
    EXPECT_NE(effect.Get(), nullptr);
    ASSERT_EQ(falling->images.size(), 4u);
    for (const KV_ImageFileLink& link : falling->images) {
        const TextureSequence& picture = document.manager->GetImage(link);
        ASSERT_EQ(picture.Frames().size(), 1u) << link.GetPath().size();
        EXPECT_NE(picture.Frames().front(), nullptr);
        EXPECT_EQ(picture.width, 64u);
    }
}

// The night slide: two fireworks and a bolt of lightning, each drawn with
// a picture the document stores and the common effect, bursting and
// striking on their time lines.
TEST_F(SampleScene, TheNightSlideBurstsFireworksAndStrikesLightning) {
    document = LoadSceneDocument();
    ASSERT_NE(document.root, nullptr);
    const KV_SlideContainer* slide = SlideStarting<KV_FireworkSimple>(*document.root);
    ASSERT_NE(slide, nullptr);
    const auto& descriptions = slide->drawnDescriptions;
    ASSERT_EQ(descriptions.size(), 3u);
    const auto* lightning = dynamic_cast<const KV_LightningGN*>(descriptions[2].get());
    ASSERT_NE(lightning, nullptr);
    EXPECT_GT(lightning->branches.Value(), 0u);
    for (const auto& description : descriptions) {
        const auto& generator = dynamic_cast<const KV_TexParticleGenerator&>(*description);
        EXPECT_EQ(generator.TimeLine().mode.Value(), KV_TimeLineControl::kModeCycle);
        EXPECT_EQ(generator.effectLink.Key(), (ResourceKey{L"common_res.dll", IDR_PARTICLE_EFFECT}));
        ASSERT_EQ(generator.images.size(), 1u);
        const TextureSequence& picture = document.manager->GetImage(generator.images.front());
        ASSERT_EQ(picture.Frames().size(), 1u);
        EXPECT_NE(picture.Frames().front(), nullptr);
        EXPECT_EQ(picture.width, 32u);
    }
    const auto* firework = dynamic_cast<const KV_FireworkSimple*>(descriptions[0].get());
    ASSERT_NE(firework, nullptr);
    EXPECT_GT(firework->sparkCount.Value(), 0u);
    EXPECT_FALSE(firework->TimeLine().visibleRange.random);
}

// The objects' slide: two butterflies with stored pictures, a clock on the
// shared module's defaults, and leaves whose mesh and picture the document
// stores; each builds and draws its instances.
TEST_F(SampleScene, TheObjectsSlideCarriesButterfliesAClockAndLeaves) {
    document = LoadSceneDocument();
    ASSERT_NE(document.root, nullptr);
    const auto& slides = document.root->slides;
    const auto found = std::find_if(slides.begin(), slides.end(), [](const auto& s) {
        return !s->drawnDescriptions.empty() &&
               dynamic_cast<const KV_ButterflyConstructor*>(s->drawnDescriptions.front().get()) != nullptr;
    });
    ASSERT_NE(found, slides.end());
    KV_SlideContainer& slide = **found;
    ASSERT_EQ(slide.drawnDescriptions.size(), 3u);
    const auto* butterflies = dynamic_cast<const KV_ButterflyConstructor*>(slide.drawnDescriptions[0].get());
    const auto* clock = dynamic_cast<const KV_ClockConstructor*>(slide.drawnDescriptions[1].get());
    const auto* leaves = dynamic_cast<const KV_3D_in_2D_array_Constructor*>(slide.drawnDescriptions[2].get());
    ASSERT_TRUE(butterflies && clock && leaves);
    EXPECT_EQ(butterflies->texture.Key().name, L"butterfly_wing.png");
    EXPECT_EQ(butterflies->instanceCount.Value(), 2u);
    EXPECT_EQ(leaves->mesh.FileName(), L"leaf.x");
    EXPECT_NE(leaves->mesh.Size(), 0u);

    g_currentDocResManager = document.manager.get();
    for (const auto& description : slide.drawnDescriptions) {
        const std::unique_ptr<KV_ABObj> object = description->CreateObject();
        if (const auto* array = dynamic_cast<const KV_3DObjArray*>(object.get())) {
            for (const MeshNode& node : array->Meshes()) {
                EXPECT_GT(node.triangleCount, 0u);
                EXPECT_NE(node.texture.Get(), nullptr);
            }
        } else {
            const auto& mesh = dynamic_cast<const KV_3D_in_2D_array&>(*object).Node();
            EXPECT_EQ(mesh.triangleCount, 500u);
            EXPECT_NE(mesh.texture.Get(), nullptr);
            EXPECT_EQ(mesh.instances.size(), 40u);
        }
    }
}

TEST_F(SampleScene, TheSpriteSlidesSystemsLoadWithTheirPictures) {
    const std::vector<BYTE> storedPicture = FileBytes(STORED_PICTURE);
    KV_DocResManager building;
    const auto built = BuildSampleShow(building, storedPicture, ReadSampleSounds(SAMPLE_SOUNDS_DIR));
    document = LoadSceneDocument();
    ASSERT_NE(document.root, nullptr);
    const KV_SlideContainer* slide = SlideStarting<KV_ParticleSystemCtrl>(*document.root);
    ASSERT_NE(slide, nullptr);
    const auto& slides = document.root->slides;
    const auto index = static_cast<std::size_t>(
        std::find_if(slides.begin(), slides.end(), [&](const auto& s) { return s.Get() == slide; }) - slides.begin());
    const auto& expected = built->slides.at(index)->drawnDescriptions;
    const auto& loaded = slide->drawnDescriptions;
    ASSERT_EQ(loaded.size(), expected.size());
    ASSERT_GE(loaded.size(), 9u);
    bool sawSequence = false;
    for (std::size_t i = 0; i < loaded.size(); ++i) {
        SCOPED_TRACE("system " + std::to_string(i));
        const auto* sprites = dynamic_cast<const KV_ParticleSystemCtrl*>(loaded[i].get());
        const auto* wanted = dynamic_cast<const KV_ParticleSystemCtrl*>(expected[i].get());
        ASSERT_NE(sprites, nullptr);
        ASSERT_NE(wanted, nullptr);
        EXPECT_EQ(typeid(*sprites), typeid(*wanted));
        EXPECT_EQ(sprites->count.Value(), wanted->count.Value());
        EXPECT_EQ(sprites->image.GetPath(), wanted->image.GetPath());
        const TextureSequence& picture = sprites->imageKind == 1 ? document.manager->GetImageSequence(sprites->image)
                                                                 : document.manager->GetImage(sprites->image);
        ASSERT_FALSE(picture.Frames().empty());
        for (IDirect3DTexture9* frame : picture.Frames()) {
            ASSERT_NE(frame, nullptr);
            D3DSURFACE_DESC level{};
            frame->GetLevelDesc(0, &level);
            EXPECT_EQ(level.Format, D3DFMT_A8R8G8B8);
        }
        if (sprites->imageKind == 1) {
            sawSequence = true;
            EXPECT_EQ(picture.Frames().size(), 4u);
            EXPECT_EQ(picture.durations.size(), 4u);
            EXPECT_FALSE(sprites->secondImage.GetPath().empty());
            EXPECT_FALSE(document.manager->GetImage(sprites->secondImage).Frames().empty());
        }
    }
    EXPECT_TRUE(sawSequence);
}

// The garden slide: a plant, rays, smoke and the three animations, each
// with a picture the document stores (the animations' as frame strips) and
// its effect from the common module; each builds, runs and fills its quads.
TEST_F(SampleScene, TheGardenSlidesGeneratorsLoadWithTheirPicturesFramesAndEffects) {
    document = LoadSceneDocument();
    ASSERT_NE(document.root, nullptr);
    const KV_SlideContainer* slide = SlideStarting<KV_Plant>(*document.root);
    ASSERT_NE(slide, nullptr);
    const auto& descriptions = slide->drawnDescriptions;
    ASSERT_EQ(descriptions.size(), 6u);
    const auto* plant = dynamic_cast<const KV_Plant*>(descriptions[0].get());
    const auto* bees = dynamic_cast<const KV_BrownAnimation*>(descriptions[1].get());
    const auto* butterfly = dynamic_cast<const KV_PathAnimtion*>(descriptions[2].get());
    const auto* pinwheel = dynamic_cast<const KV_StaticAnimation*>(descriptions[3].get());
    const auto* smoke = dynamic_cast<const KV_Smoke*>(descriptions[4].get());
    const auto* rays = dynamic_cast<const KV_RadialRays*>(descriptions[5].get());
    ASSERT_TRUE(plant && bees && butterfly && pinwheel && smoke && rays);
    EXPECT_GE(butterfly->path.size(), 2u);

    struct EffectLink {
        const KV_TexParticleGenerator* generator;
        int id;
    };
    for (const EffectLink& link : {EffectLink{plant, IDR_PLANT_EFFECT}, EffectLink{pinwheel, IDR_ANIMATION_EFFECT},
                                   EffectLink{rays, IDR_PARTICLE_EFFECT}}) {
        EXPECT_EQ(link.generator->effectLink.Key(), (ResourceKey{L"common_res.dll", link.id}));
        ComHolder<ID3DXEffect> effect;
        effect.Reset(document.manager->GetEffect(link.generator->effectLink));
        EXPECT_NE(effect.Get(), nullptr) << link.id;
    }
    // The sprites draw without an effect.
    for (const KV_TexParticleGenerator* sprites : {static_cast<const KV_TexParticleGenerator*>(bees),
                                                   static_cast<const KV_TexParticleGenerator*>(butterfly),
                                                   static_cast<const KV_TexParticleGenerator*>(smoke)})
        EXPECT_TRUE(sprites->effectLink.GetPath().empty());

    for (const auto& description : descriptions) {
        const auto& generator = dynamic_cast<const KV_TexParticleGenerator&>(*description);
        ASSERT_EQ(generator.images.size(), 1u);
        const TextureSequence& picture = document.manager->GetImage(generator.images.front());
        ASSERT_FALSE(picture.Frames().empty());
        for (IDirect3DTexture9* frame : picture.Frames())
            EXPECT_NE(frame, nullptr);
        const bool strip = description.get() == bees || description.get() == butterfly || description.get() == pinwheel;
        if (strip) {
            EXPECT_GT(picture.Frames().size(), 1u);
            EXPECT_EQ(picture.durations.size(), picture.Frames().size());
        }
    }

    g_currentDocResManager = document.manager.get();
    for (const auto& description : descriptions) {
        const std::unique_ptr<KV_ABObj> object = description->CreateObject();
        object->Update(0.1f);
        EXPECT_GT(static_cast<KV_ParticlesObj&>(*object).QuadCounts().at(0), 0u) << typeid(*description).name();
    }
}

// The effect-drawn sprites' slide: a bolt of each glow kind, an explosion
// on a fade cycle with its stored pictures, and the three texts, each with
// the picture the sample set stored under its key and the common effects.
TEST_F(SampleScene, TheEffectSpritesSlideCarriesBoltsAnExplosionAndItsTexts) {
    document = LoadSceneDocument();
    ASSERT_NE(document.root, nullptr);
    KV_SlideContainer* found = SlideStarting<KV_DischargeFXConstructor>(*document.root);
    ASSERT_NE(found, nullptr);
    const auto& descriptions = found->drawnDescriptions;
    ASSERT_EQ(descriptions.size(), 6u);
    const auto* bright = dynamic_cast<const KV_DischargeFXConstructor*>(descriptions[0].get());
    const auto* thin = dynamic_cast<const KV_DischargeFXConstructor*>(descriptions[1].get());
    const auto* explosion = dynamic_cast<const KV_ExplosionConstructor*>(descriptions[2].get());
    ASSERT_TRUE(bright && thin && explosion);
    EXPECT_NE(bright->glowKind.Value(), 0);
    EXPECT_EQ(thin->glowKind.Value(), 0);
    EXPECT_EQ(explosion->TimeLine().mode.Value(), KV_TimeLineControl::kModeCycle);
    EXPECT_NE(dynamic_cast<const KV_ScrollingTextConstructor*>(descriptions[4].get()), nullptr);
    EXPECT_NE(dynamic_cast<const KV_TextLinkConstructor*>(descriptions[5].get()), nullptr);

    g_currentDocResManager = document.manager.get();
    for (const KV_FileLink3* picture : {&explosion->image, &explosion->secondImage}) {
        const TextureSequence& stored = document.manager->GetImage(*picture);
        ASSERT_EQ(stored.Frames().size(), 1u);
        EXPECT_NE(stored.Frames().front(), nullptr);
    }
    for (const auto& description : descriptions) {
        const auto* sprites = dynamic_cast<const KV_FXParticleSystemCtrl*>(description.get());
        ASSERT_NE(sprites, nullptr);
        ComHolder<ID3DXEffect> effect;
        effect.Reset(document.manager->GetEffect(sprites->effectLink));
        EXPECT_NE(effect.Get(), nullptr) << sprites->effectLink.Key().stamp;
        const auto* text = dynamic_cast<const KV_StaticTextConstructor*>(description.get());
        if (!text) continue;
        const std::unique_ptr<KV_ABObj> object = text->CreateObject();
        const auto& copy = static_cast<KV_StaticTextConstructor&>(static_cast<KV_FXObj&>(*object).Effects());
        ASSERT_NE(copy.TextTexture(), nullptr);
        D3DSURFACE_DESC level{};
        ASSERT_EQ(copy.TextTexture()->GetLevelDesc(0, &level), D3D_OK);
        EXPECT_EQ(level.Format, D3DFMT_A8R8G8B8);
        EXPECT_GT(text->width.Value(), 2 * text->height.Value());
        EXPECT_FALSE(text->text.Value().empty());
    }
}

}  // namespace
