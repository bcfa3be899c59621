// Embedded playlist items exported to the temporary folder.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include <platform/unicode.h>

#include "scene/slideshow/kv_audio_file.h"
#include "sound/support/sound_files.h"

namespace {

std::string Contents(const kv_string& path)
{
    std::ifstream stream(platform::Utf8FromWide(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

KV_AudioFile Item(const kv_string& storedPath, const std::string& bytes)
{
    KV_AudioFile item;
    item.file.Assign(storedPath, static_cast<DWORD>(bytes.size()), reinterpret_cast<const BYTE*>(bytes.data()));
    return item;
}

kv_string TempFolder()
{
    wchar_t folder[MAX_PATH];
    GetTempPathW(MAX_PATH, folder);
    return folder;
}

TEST(AudioFileExportTest, ItemsWithTheSameNameInDifferentFoldersKeepTheirOwnTracks)
{
    KV_AudioFile first = Item(L"C:\\Music\\A\\song.mp3", "first");
    KV_AudioFile second = Item(L"C:\\Music\\B\\song.mp3", "second");
    first.ExportToTempFolder();
    second.ExportToTempFolder();
    EXPECT_NE(first.file.FileName(), second.file.FileName());
    EXPECT_EQ(Contents(first.file.FileName()), "first");
    EXPECT_EQ(Contents(second.file.FileName()), "second");
    EXPECT_EQ(first.file.Data(), nullptr);
    EXPECT_EQ(first.file.FileName().rfind(TempFolder(), 0), 0u);
    EXPECT_TRUE(first.file.FileName().ends_with(L"song.mp3"));
}

TEST(AudioFileExportTest, BareNamesKeepTheirWholeName)
{
    KV_AudioFile item = Item(L"tune.wav", "bare");
    item.ExportToTempFolder();
    EXPECT_TRUE(item.file.FileName().ends_with(L"tune.wav"));
    EXPECT_EQ(Contents(item.file.FileName()), "bare");
}

TEST(AudioFileExportTest, AnItemWhoseStoredFileExistsPlaysFromItAndWritesNothing)
{
    const std::wstring stored = sound_test::WriteTemporaryFile(L"export-original.wav", {'o', 'k'});
    KV_AudioFile item = Item(stored, "embedded");
    item.ExportToTempFolder();
    EXPECT_EQ(item.file.FileName(), stored);
    EXPECT_EQ(item.file.Data(), nullptr);
    EXPECT_EQ(Contents(stored), "ok");

    KV_AudioFile plain;
    plain.file.Assign(L"C:\\not\\embedded.mp3", 0, nullptr);
    plain.ExportToTempFolder();
    EXPECT_EQ(plain.file.FileName(), L"C:\\not\\embedded.mp3");
}

} // namespace
