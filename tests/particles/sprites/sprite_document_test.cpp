// Sprite systems inside whole documents: hostile values load and play, a
// record whose inline list runs past the document fails the load.
#include "sprite_fixtures.h"

#include "particles/sprites/fish_kinds.h"
#include "particles/sprites/stat_obj.h"
#include "scene/document/document_error.h"
#include "scene/document/scene_document.h"
#include "scene/document/writer/scene_document_writer.h"
#include "scene/render/light_fixture.h"
#include "scene/slideshow/kv_slideshow_light.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace sprite_test {
namespace {

class SpriteDocumentTest : public render_test::LightTest {
protected:
    void TearDown() override
    {
        document.root.reset();
        document.manager.reset();
        g_currentDocResManager = nullptr;
        LightTest::TearDown();
    }

    // A one-slide document whose slide draws the description.
    static Bytes DocumentWith(std::unique_ptr<KV_ABObj_Constructor> description)
    {
        KV_SlideShow_Light show;
        auto* slide = new KV_SlideContainer;
        show.slides.emplace_back(slide);
        slide->light = CountedRef<KV_2D_Light>(new KV_2D_Light);
        slide->drawnDescriptions.push_back(std::move(description));
        KV_DocResManager manager;
        KV_DocResManager* const current = g_currentDocResManager;
        g_currentDocResManager = &manager;
        Bytes bytes = WriteSceneDocument(show, manager);
        g_currentDocResManager = current;
        return bytes;
    }

    // 0 when it loads, else the error it raised.
    DWORD Load(const Bytes& bytes)
    {
        held = std::make_unique<HeldBytes>(bytes);
        ResourceBuffer buffer = held->Buffer();
        try {
            document = ReadSceneDocument(buffer);
        } catch (DWORD code) {
            return code;
        }
        return 0;
    }

    // The slide built and a second of frames played and drawn.
    void Play()
    {
        g_currentDocResManager = document.manager.get();
        KV_SlideContainer& slide = *document.root->slides.at(0);
        slide.Build();
        slide.RestoreDeviceObjects();
        slide.Resize(64, 64);
        for (int frame = 1; frame <= 30; ++frame) {
            slide.FrameMove(0.033f * static_cast<float>(frame));
            ASSERT_EQ(device()->BeginScene(), D3D_OK);
            slide.Render(0);
            device()->EndScene();
        }
    }

    std::unique_ptr<HeldBytes> held;
    SceneDocument document;
};

TEST_F(SpriteDocumentTest, HostileValuesLoadAndPlay)
{
    struct Case {
        const char* name;
        void (*edit)(KV_StatObjConstructor&);
    };
    const Case cases[] = {
        {"huge count", [](KV_StatObjConstructor& d) { d.count.Value() = 0x2AAAAAAB; }},
        {"frame count 0",
         [](KV_StatObjConstructor& d) {
             d.strip = true;
             d.frameCount = 0;
             d.stripRate = 20.0f;
         }},
        {"empty sequence",
         [](KV_StatObjConstructor& d) {
             d.imageKind = 1;
             d.image.SetKey({L"nothing.dds", 4});
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto d = std::make_unique<KV_StatObjConstructor>();
        d->size.SetValue(20);
        d->placement.extra1.Value() = 32;
        d->placement.extra2.Value() = 32;
        c.edit(*d);
        ASSERT_EQ(Load(DocumentWith(std::move(d))), 0u);
        Play();
        g_currentDocResManager = nullptr;
        document = {};
    }
}

TEST_F(SpriteDocumentTest, AnInlineListLongerThanTheDocumentFailsTheLoad)
{
    KV_FishConstructor fish;
    const Bytes written = Written(fish);
    const Bytes document = DocumentWith(std::make_unique<KV_FishConstructor>(fish));
    const auto at = std::search(document.begin(), document.end(), written.begin(), written.end());
    ASSERT_NE(at, document.end());
    for (const DWORD claimed : {1u, 0x40000000u}) {
        SCOPED_TRACE(claimed);
        BaseFields old;
        old.version = 1;
        old.inlineClaimed = claimed;
        old.inlineHeld = 1;
        Bytes spliced(document.begin(), at);
        Append(spliced, KindRecord(u"KV_FishConstructor", 1, Join({LeFloat(80), LeFloat(50)}), old));
        spliced.insert(spliced.end(), at + static_cast<std::ptrdiff_t>(written.size()), document.end());
        EXPECT_EQ(Load(spliced), claimed == 1 ? 0u : kDocumentLoadError);
    }
}

}  // namespace
}  // namespace sprite_test
