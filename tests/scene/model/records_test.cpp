#include "support/document_bytes.h"
#include "scene/document/kv_iof_r.h"
#include "scene/document/reader_registry.h"
#include "scene/document/resource_buffer.h"
#include "scene/document/writer/kv_iof_w.h"
#include "scene/model/media_quad.h"
#include "scene/model/path_point.h"
#include "test_description.h"

#include <gtest/gtest.h>

#include <iterator>
#include <limits>

namespace {

const RegisterReader<TestDescription, KV_ABObj_Constructor> registration(L"TestDescription");

// Reads a fixture; a record reader must end exactly at its end.
struct FixtureReader {
    explicit FixtureReader(const Bytes& fixture) : held(fixture), buffer(held.Buffer()), archive(buffer) {}
    bool EndedExactly() const { return !archive.Failed() && buffer.Remaining() == 0; }

    HeldBytes held;
    ResourceBuffer buffer;
    KV_IOF_R<ResourceBuffer> archive;
};

struct StoredInterval {
    float start, end, fullFrom, fullTo;
};

// The fields of a time line record up to its interval count.
Bytes TimeLineFields(uint32_t version, uint32_t count)
{
    return Join({Frame(u"KV_TimeLineControl", version), LeInt(2), LeInt(2), Le32(150), Le32(250), Le32(300),
                 Le32(400), Le32(120), Le32(30), Le32(count)});
}

Bytes Interval(const StoredInterval& i)
{
    return Join({LeFloat(i.start), LeFloat(i.end), LeFloat(i.fullFrom), LeFloat(i.fullTo)});
}

Bytes TimeLineRecord(uint32_t version, const std::vector<StoredInterval>& intervals)
{
    Bytes record = TimeLineFields(version, static_cast<uint32_t>(intervals.size()));
    for (const StoredInterval& i : intervals)
        Append(record, Interval(i));
    return record;
}

void ExpectTimeLineFields(const KV_TimeLineControl& timeLine)
{
    EXPECT_EQ(timeLine.mode.Value(), 2);
    EXPECT_EQ(timeLine.speedMode.Value(), 2);
    EXPECT_EQ(timeLine.invisibleRange.minimum.Value(), 150u);
    EXPECT_EQ(timeLine.invisibleRange.maximum.Value(), 250u);
    EXPECT_EQ(timeLine.visibleRange.minimum.Value(), 300u);
    EXPECT_EQ(timeLine.visibleRange.maximum.Value(), 400u);
    EXPECT_TRUE(timeLine.invisibleRange.random);
    EXPECT_TRUE(timeLine.visibleRange.random);
    EXPECT_FLOAT_EQ(timeLine.fadeIn.Result(), 1.2f);
    EXPECT_FLOAT_EQ(timeLine.fadeOut.Result(), 0.3f);
}

class TimeLineRecordVersion : public testing::TestWithParam<uint32_t> {};

TEST_P(TimeLineRecordVersion, ReadsTheVersionOneLayout)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    FixtureReader reader(TimeLineRecord(
        GetParam(), {{10, 20, 12, 18}, {15, 25, 16, 24}, {nan, 50, 51, 52}, {40, 30, 38, 32}}));
    KV_TimeLineControl timeLine;
    timeLine.ReadRecord(reader.archive);
    EXPECT_TRUE(reader.EndedExactly());
    ExpectTimeLineFields(timeLine);

    // The overlapping and the non-finite intervals are dropped; the
    // reversed one is put in order.
    ASSERT_EQ(timeLine.Intervals().Size(), 2u);
    const TimeInterval& second = *std::next(timeLine.Intervals().begin());
    EXPECT_EQ(second.start, 30.0f);
    EXPECT_EQ(second.fullFrom, 32.0f);
    EXPECT_EQ(second.fullTo, 38.0f);
    EXPECT_EQ(second.end, 40.0f);
}

INSTANTIATE_TEST_SUITE_P(Records, TimeLineRecordVersion, testing::Values(1u, 0u, 9u));

TEST(TimeLineRecord, CountBeyondTheDocumentFailsWithoutLooping)
{
    for (uint32_t count : {0xFFFFFFFFu, 2u}) {
        // The count claims more intervals than the one stored.
        FixtureReader reader(Join({TimeLineFields(1, count), Interval({1, 2, 1, 2})}));
        KV_TimeLineControl timeLine;
        timeLine.ReadRecord(reader.archive);
        EXPECT_TRUE(reader.archive.Failed()) << count;
        EXPECT_TRUE(timeLine.Intervals().Empty()) << count;
    }
}

TEST(ConstructorRecord, VersionOneKeepsTheDefaultTimeLine)
{
    FixtureReader reader(Join({Frame(u"KV_ABObj_Constructor", 1), ShortString(u"old")}));
    TestDescription description;
    description.KV_ABObj_Constructor::ReadRecord(reader.archive);
    EXPECT_TRUE(reader.EndedExactly());
    EXPECT_EQ(description.name, L"old");
    EXPECT_EQ(description.TimeLine().mode.Value(), KV_TimeLineControl::kModeAlways);
}

TEST(ConstructorRecord, VersionTwoReadsTheTimeLine)
{
    FixtureReader reader(
        Join({Frame(u"KV_ABObj_Constructor", 2), ShortString(u"fish"), TimeLineRecord(1, {{10, 20, 12, 18}})}));
    TestDescription description;
    description.KV_ABObj_Constructor::ReadRecord(reader.archive);
    EXPECT_TRUE(reader.EndedExactly());
    EXPECT_EQ(description.name, L"fish");
    ExpectTimeLineFields(description.TimeLine());
    EXPECT_EQ(description.TimeLine().Intervals().Size(), 1u);
}

Bytes ViewObjCtrlRecord(uint32_t version)
{
    Bytes record = Join({Frame(u"KV_ViewObjCtrl", version), LeInt(10), LeInt(90), LeInt(20), LeInt(80), LeInt(-5),
                         LeInt(7), LeFloat(0.1f), LeFloat(0.9f), LeFloat(0.2f), LeFloat(0.8f), {1}});
    if (version >= 2)
        Append(record, Le32(75));
    Append(record, Join({Frame(u"KV_ABObj_Constructor", 1), ShortString(u"rect")}));
    return record;
}

class ViewObjCtrlRecordVersion : public testing::TestWithParam<uint32_t> {};

TEST_P(ViewObjCtrlRecordVersion, StoresTheValuesDirectly)
{
    const uint32_t version = GetParam();
    FixtureReader reader(ViewObjCtrlRecord(version));
    TestDescription description;
    description.ReadRecord(reader.archive);
    EXPECT_TRUE(reader.EndedExactly());
    const MediaRectangle& r = description.pixelRect;
    EXPECT_EQ(r.left.Value(), 10);
    EXPECT_EQ(r.right.Value(), 90);
    EXPECT_EQ(r.top.Value(), 20);
    EXPECT_EQ(r.bottom.Value(), 80);
    EXPECT_EQ(r.extra1.Value(), -5);
    EXPECT_EQ(r.extra2.Value(), 7);
    EXPECT_EQ(description.relative.left, 0.1f);
    EXPECT_EQ(description.relative.right, 0.9f);
    EXPECT_EQ(description.relative.top, 0.2f);
    EXPECT_EQ(description.relative.bottom, 0.8f);
    EXPECT_TRUE(description.setting);
    EXPECT_EQ(description.speed.Value(), version >= 2 ? 75u : 50u);
    EXPECT_EQ(description.name, L"rect");
}

INSTANTIATE_TEST_SUITE_P(Records, ViewObjCtrlRecordVersion, testing::Values(1u, 2u));

TEST(CompoundRecords, QuadAndPathPoint)
{
    Bytes fixture;
    for (int i = 0; i < 12; ++i)
        Append(fixture, LeFloat(static_cast<float>(i) + 0.5f));
    Append(fixture, Join({LeFloat(-1), LeFloat(2), LeFloat(3.25f)}));
    FixtureReader reader(fixture);
    MediaQuad quad;
    quad.Read(reader.archive);
    PathPoint point = MakePathPoint(0, 0, 0);
    ReadPathPoint(reader.archive, point);
    EXPECT_TRUE(reader.EndedExactly());
    EXPECT_EQ(quad.corners[0].Value(), D3DXVECTOR3(0.5f, 1.5f, 2.5f));
    EXPECT_EQ(quad.corners[3].Value(), D3DXVECTOR3(9.5f, 10.5f, 11.5f));
    EXPECT_EQ(point.position->Value(), D3DXVECTOR3(-1, 2, 3.25f));
    EXPECT_EQ(point.position.UseCount(), 1u);
}

TEST(DescriptionReader, ReadsRegisteredClassesOnly)
{
    FixtureReader known(Join({Frame(u"TestDescription", 1), ViewObjCtrlRecord(2)}));
    const std::unique_ptr<KV_ABObj_Constructor> description = KV_ABObj_Constructor::ReadNew(known.archive);
    ASSERT_NE(dynamic_cast<TestDescription*>(description.get()), nullptr);
    EXPECT_EQ(description->name, L"rect");
    EXPECT_TRUE(known.EndedExactly());

    FixtureReader reader(Frame(u"testdescription", 1));
    EXPECT_EQ(KV_ABObj_Constructor::ReadNew(reader.archive), nullptr);
    EXPECT_TRUE(reader.archive.Failed());
}

TEST(RecordRoundTrip, WritersMirrorTheReaders)
{
    TestDescription original;
    original.name = L"round";
    original.pixelRect.left.Value() = 10;
    original.pixelRect.right.Value() = 90;
    original.pixelRect.top.Value() = 20;
    original.pixelRect.bottom.Value() = 80;
    original.pixelRect.extra1.Value() = -5;
    original.pixelRect.extra2.Value() = 7;
    original.relative = {0.1f, 0.9f, 0.2f, 0.8f};
    original.setting = true;
    original.speed.Value() = 75;
    KV_TimeLineControl& timeLine = original.TimeLine();
    timeLine.mode.Value() = 2;
    timeLine.speedMode.Value() = 2;
    timeLine.invisibleRange.minimum.Value() = 150;
    timeLine.invisibleRange.maximum.Value() = 250;
    timeLine.visibleRange.minimum.Value() = 300;
    timeLine.visibleRange.maximum.Value() = 400;
    timeLine.fadeIn.SetValue(120);
    timeLine.fadeOut.SetValue(30);
    timeLine.AddInterval(30, 40, 32, 38);
    timeLine.AddInterval(10, 20, 12, 18);

    KV_IOF_W writer;
    original.Write(writer);

    // The written bytes are those of a hand-built current-version record.
    const Bytes expected = Join({Frame(u"TestDescription", 1), Frame(u"KV_ViewObjCtrl", 2), LeInt(10), LeInt(90),
                                 LeInt(20), LeInt(80), LeInt(-5), LeInt(7), LeFloat(0.1f), LeFloat(0.9f),
                                 LeFloat(0.2f), LeFloat(0.8f), {1}, Le32(75), Frame(u"KV_ABObj_Constructor", 2),
                                 ShortString(u"round"), TimeLineRecord(1, {{10, 20, 12, 18}, {30, 40, 32, 38}})});
    EXPECT_EQ(writer.Bytes(), expected);

    ResourceBuffer buffer(writer.Bytes().data(), writer.Bytes().size());
    KV_IOF_R<ResourceBuffer> archive(buffer);
    const std::unique_ptr<KV_ABObj_Constructor> read = KV_ABObj_Constructor::ReadNew(archive);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(buffer.Remaining(), 0u);
    KV_IOF_W rewriter;
    read->Write(rewriter);
    EXPECT_EQ(rewriter.Bytes(), writer.Bytes());

    MediaQuad quad;
    quad.SetCentred(D3DXVECTOR3(100, 50, 2), 20, 10);
    const PathPoint point = MakePathPoint(1, 2, 3);
    KV_IOF_W parts;
    quad.Write(parts);
    WritePathPoint(parts, point);
    ResourceBuffer partsBuffer(parts.Bytes().data(), parts.Bytes().size());
    KV_IOF_R<ResourceBuffer> partsArchive(partsBuffer);
    MediaQuad quadBack;
    quadBack.Read(partsArchive);
    PathPoint pointBack;
    ReadPathPoint(partsArchive, pointBack);
    EXPECT_EQ(partsBuffer.Remaining(), 0u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(quadBack.corners[i].Value(), quad.corners[i].Value());
    EXPECT_EQ(pointBack.position->Value(), D3DXVECTOR3(1, 2, 3));
}

} // namespace
