// The slide-show, slide and audio-file records: every slide version as
// stored, what the writer writes read back the same, and damaged records.
#include <gtest/gtest.h>

#include "model/test_description.h"
#include "scene/document/document_error.h"
#include "scene/document/kv_iof_r.h"
#include "scene/document/reader_registry.h"
#include "scene/document/scene_document.h"
#include "scene/document/writer/kv_iof_w.h"
#include "scene/document/writer/scene_document_writer.h"
#include "support/document_bytes.h"

namespace {

const RegisterReader<TestDescription, KV_ABObj_Constructor> registration(L"TestDescription");

struct StoredSlide {
    DWORD version;
    Bytes period;  // empty before version 3
    UINT hundredths;
    float seconds;
    size_t startedDescriptions;
};

// A slide of the version with fade-in 2, fade-out 3, hold 4, number -5,
// text "t", a plain light, one drawn description and, from version 2, one
// started/stopped description.
Bytes SlideRecord(const StoredSlide& slide) {
    Bytes bytes = Join({Frame(u"KV_SlideContainer", slide.version), Le32(2), Le32(3), Le32(4), LeInt(-5),
                        ShortString(u"t"), slide.period, Frame(u"KV_2D_Light", 1)});
    KV_IOF_W description;
    TestDescription().Write(description);
    Append(bytes, Join({Le32(1), description.Bytes()}));
    if (slide.version >= 2)
        Append(bytes, Join({Le32(1), description.Bytes()}));
    return bytes;
}

Bytes ShowOf(const Bytes& slides, DWORD slideCount) {
    return Join({ShortString(u"QVT v 4.0.0"), Frame(u"KV_SlideShow_Light", 1), Le32(slideCount), slides, Le32(0),
                 Frame(u"KV_DocResManager", 3), Le32(0), Le32(0), Le32(0), Le32(0)});
}

SceneDocument Read(const Bytes& bytes) {
    HeldBytes held(bytes);
    ResourceBuffer buffer = held.Buffer();
    return ReadSceneDocument(buffer);
}

class StoredSlideVersions : public testing::TestWithParam<StoredSlide> {};

TEST_P(StoredSlideVersions, ReadTheirFieldsAndTheLoopPeriodInHundredths) {
    const StoredSlide& stored = GetParam();
    const SceneDocument document = Read(ShowOf(SlideRecord(stored), 1));
    ASSERT_EQ(document.root->slides.size(), 1u);
    const KV_SlideContainer& slide = *document.root->slides[0];
    EXPECT_EQ(slide.fadeIn.Value(), 2u);
    EXPECT_EQ(slide.fadeOut.Value(), 3u);
    EXPECT_EQ(slide.hold.Value(), 4u);
    EXPECT_EQ(slide.number.Value(), -5);
    EXPECT_EQ(slide.text.Value(), L"t");
    EXPECT_EQ(slide.loopPeriod.Value(), stored.hundredths);
    EXPECT_FLOAT_EQ(slide.loopPeriod.Result(), stored.seconds);
    EXPECT_NE(slide.GetLight(), nullptr);
    EXPECT_EQ(slide.drawnDescriptions.size(), 1u);
    EXPECT_EQ(slide.startedDescriptions.size(), stored.startedDescriptions);
}

INSTANTIATE_TEST_SUITE_P(
    Slides, StoredSlideVersions,
    testing::Values(StoredSlide{1, {}, 1000, 10.0f, 0}, StoredSlide{2, {}, 1000, 10.0f, 1},
                    // Whole seconds before version 4.
                    StoredSlide{3, Le32(20), 2000, 20.0f, 1}, StoredSlide{3, Le32(0), 0, 0.0f, 1},
                    StoredSlide{3, Le32(0xFFFFFFFF), 0xFFFFFFFF, 4294967296.0f / 100, 1},
                    StoredSlide{4, Le32(20), 20, 0.2f, 1}));

TEST(SlideShowRecord, WhatIsWrittenReadsBackTheSame) {
    KV_SlideShow_Light show;
    for (UINT i = 0; i < 2; ++i) {
        auto slide = new KV_SlideContainer;
        slide->fadeIn.Value() = 1 + i;
        slide->fadeOut.Value() = 3;
        slide->hold.Value() = 7 + i;
        slide->text.Value() = L"slide";
        slide->loopPeriod.StoreAndNotify(500 * (i + 1));
        slide->light = CountedRef<KV_2D_Light>(new KV_2D_Light);
        slide->light->pictureLink.SetKey(KV_FileLink3::FromResource(6 + i, L"common_res.dll").Key());
        slide->drawnDescriptions.push_back(std::make_unique<TestDescription>());
        slide->startedDescriptions.push_back(std::make_unique<TestDescription>());
        slide->startedDescriptions.back()->name = L"second";
        show.slides.emplace_back(slide);
    }
    auto item = new KV_AudioFile;
    item->name = L"tune";
    const BYTE bytes[] = {1, 2, 3};
    item->file.Assign(L"C:\\music\\tune.mp3", 3, bytes);
    show.playlist.emplace_back(item);
    const KV_DocResManager manager;

    const Bytes written = WriteSceneDocument(show, manager);
    const SceneDocument document = Read(written);
    ASSERT_EQ(document.root->slides.size(), 2u);
    const KV_SlideContainer& second = *document.root->slides[1];
    EXPECT_EQ(second.fadeIn.Value(), 2u);
    EXPECT_EQ(second.hold.Value(), 8u);
    EXPECT_EQ(second.loopPeriod.Value(), 1000u);
    ASSERT_EQ(second.startedDescriptions.size(), 1u);
    EXPECT_EQ(second.startedDescriptions[0]->name, L"second");
    ASSERT_EQ(document.root->playlist.size(), 1u);
    const KV_AudioFile& read = *document.root->playlist[0];
    EXPECT_EQ(read.name, L"tune");
    EXPECT_EQ(read.file.FileName(), L"C:\\music\\tune.mp3");
    ASSERT_EQ(read.file.Size(), 3u);
    EXPECT_EQ(read.file.Data()[2], 3);
    // Everything else too: the document read back writes the same bytes.
    EXPECT_EQ(WriteSceneDocument(*document.root, *document.manager), written);
}

TEST(SlideShowRecord, BuiltSlidesWriteTheirObjectsDescriptions) {
    KV_SlideShow_Light show;
    auto slide = new KV_SlideContainer;
    slide->light = CountedRef<KV_2D_Light>(new KV_2D_Light);
    slide->drawnDescriptions.push_back(std::make_unique<TestDescription>());
    slide->drawnDescriptions.back()->name = L"drawn";
    show.slides.emplace_back(slide);
    const Bytes unbuilt = WriteSceneDocument(show, KV_DocResManager());
    slide->Build();
    ASSERT_EQ(slide->drawnObjects.size(), 1u);
    EXPECT_TRUE(slide->drawnDescriptions.empty());
    EXPECT_EQ(WriteSceneDocument(show, KV_DocResManager()), unbuilt);
}

struct DamagedShow {
    const char* name;
    Bytes bytes;
};

class DamagedShows : public testing::TestWithParam<DamagedShow> {};

TEST_P(DamagedShows, EndTheLoadWithTheMediaError) {
    EXPECT_THROW(Read(GetParam().bytes), DWORD);
    try {
        Read(GetParam().bytes);
    } catch (DWORD code) {
        EXPECT_EQ(code, kDocumentLoadError);
    }
}

Bytes WithLight(std::u16string_view lightClass) {
    return Join({Frame(u"KV_SlideContainer", 4), Le32(1), Le32(1), Le32(10), LeInt(0), ShortString(u""), Le32(1000),
                 Frame(lightClass, 1), Le32(0), Le32(0)});
}

INSTANTIATE_TEST_SUITE_P(
    Records, DamagedShows,
    testing::Values(DamagedShow{"UnregisteredLight", ShowOf(WithLight(u"NoSuchLight"), 1)},
                    DamagedShow{"UnregisteredSlide", ShowOf(Join({Frame(u"NoSuchSlide", 4)}), 1)},
                    DamagedShow{"SlideCountBeyondTheDocument", ShowOf(WithLight(u"KV_2D_Light"), 0x10000000)},
                    DamagedShow{"SecondSlideMissing", ShowOf(WithLight(u"KV_2D_Light"), 2)}),
    [](const testing::TestParamInfo<DamagedShow>& info) { return info.param.name; });

}  // namespace
