// The sound records: written and read back, and older sound parts with
// their own time-line fields.
#include <gtest/gtest.h>

#include "scene/document/kv_iof_r.h"
#include "scene/document/writer/document_builder.h"
#include "scene/document/writer/kv_iof_w.h"
#include "sound/kv_mp3_constructor.h"
#include "sound/kv_wav_constructor.h"
#include "support/document_bytes.h"

namespace {

std::unique_ptr<KV_ABObj_Constructor> ReadBack(const std::vector<BYTE>& bytes, bool* endedExactly)
{
    const HeldBytes held(bytes);
    ResourceBuffer buffer = held.Buffer();
    KV_IOF_R<ResourceBuffer> archive(buffer);
    std::unique_ptr<KV_ABObj_Constructor> read = KV_ABObj_Constructor::ReadNew(archive);
    *endedExactly = !archive.Failed() && buffer.Remaining() == 0;
    return read;
}

TEST(SoundRecordsTest, BothKindsReadBackWhatTheyWrote)
{
    KV_MP3_Constructor mp3;
    const BYTE bytes[] = {1, 2, 3};
    mp3.file.Assign(L"C:\\a\\tune.mp3", 3, bytes);
    mp3.volume.Value() = 70;
    mp3.balance.Value() = 20;
    mp3.name = L"music";
    KV_WAV_Constructor wav;
    wav.link.SetKey({L"C:\\b\\ping.wav", 42});
    wav.volume.Value() = 10;

    for (const KV_Sound_Ctrl* written : std::initializer_list<const KV_Sound_Ctrl*>{&mp3, &wav}) {
        KV_IOF_W archive;
        written->Write(archive);
        bool endedExactly = false;
        const std::unique_ptr<KV_ABObj_Constructor> read = ReadBack(archive.Bytes(), &endedExactly);
        EXPECT_TRUE(endedExactly);
        const auto* sound = dynamic_cast<const KV_Sound_Ctrl*>(read.get());
        ASSERT_NE(sound, nullptr);
        EXPECT_EQ(sound->volume.Value(), written->volume.Value());
        EXPECT_EQ(sound->balance.Value(), written->balance.Value());
        EXPECT_EQ(sound->name, written->name);
    }
    KV_IOF_W archive;
    mp3.Write(archive);
    bool endedExactly = false;
    const auto read = ReadBack(archive.Bytes(), &endedExactly);
    const auto& readMp3 = dynamic_cast<const KV_MP3_Constructor&>(*read);
    EXPECT_EQ(readMp3.file.FileName(), L"C:\\a\\tune.mp3");
    ASSERT_EQ(readMp3.file.Size(), 3u);
    EXPECT_EQ(readMp3.file.Data()[2], 3);
}

TEST(SoundRecordsTest, OlderSoundPartsCarryTheTimeLineInSeconds)
{
    DocumentBuilder builder;
    builder.Record(L"KV_WAV_Constructor", 1).String(L"C:\\b\\ping.wav").Int64(42);
    builder.Record(L"KV_Sound_Ctrl", 2).UInt(30).UInt(70).Int(1).UInt(2).UInt(5);
    builder.Record(L"KV_ABObj_Constructor", 1).String(L"old");
    bool endedExactly = false;
    const auto read = ReadBack(builder.Bytes(), &endedExactly);
    EXPECT_TRUE(endedExactly);
    const auto& wav = dynamic_cast<const KV_WAV_Constructor&>(*read);
    EXPECT_EQ(wav.link.Key(), (ResourceKey{L"C:\\b\\ping.wav", 42}));
    EXPECT_EQ(wav.volume.Value(), 30u);
    EXPECT_EQ(wav.balance.Value(), 70u);
    EXPECT_EQ(wav.TimeLine().mode.Value(), 1);
    EXPECT_EQ(wav.TimeLine().invisibleRange.minimum.Value(), 200u);
    EXPECT_EQ(wav.TimeLine().invisibleRange.maximum.Value(), 500u);
    EXPECT_EQ(wav.name, L"old");
    EXPECT_EQ(wav.TimeLine().ownerWords, (std::array<int32_t, 3>{1, 1, 2}));
}

} // namespace
