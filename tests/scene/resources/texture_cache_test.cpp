// The resource cache's textures: every branch of GetTexture with the
// references it hands out, the module table and the default texture.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "cache_fixture.h"
#include "scene/resources/texture_loaders.h"
#include "scene/resources/texture_sequence.h"

namespace resources_test {
namespace {

enum class Outcome {
    DecodedAnew,  // a new texture on every lookup, held by the record alone
    Cached,       // one texture for every lookup; a changed source is not decoded again
    Retried,      // nothing at first; the source that appears later is loaded
    Unloadable,   // no texture, 800 x 600, on every lookup
};

struct TextureCase {
    const char* name;
    bool fileName;           // the entry names the picture file of the test's folder
    bool bytes;              // the entry holds a 12 x 6 picture
    const wchar_t* module;   // for entries without a file name
    bool sourceFirst;        // the file or module resource exists before the first lookup
    Outcome outcome;
};

void PrintTo(const TextureCase& c, std::ostream* os) { *os << c.name; }

class TextureBranches : public CacheTest, public testing::WithParamInterface<TextureCase> {
protected:
    // Where the entry's file or module resource lives.
    void PlaceSource(const Bytes& picture) {
        const auto& c = GetParam();
        if (c.fileName) {
            WriteFile("lake.png", picture);
        } else if (std::wstring(c.module).empty()) {
            SetOwnResource(picture);
        } else if (std::wstring(c.module) == kModuleName) {
            WriteModule(picture);
        }
    }

    ResourceEntry Entry() const {
        const auto& c = GetParam();
        ResourceEntry entry(kPictureId, c.module);
        const Bytes picture = RedPng(12, 6);
        entry.Assign(c.fileName ? FilePath("lake.png") : L"", c.bytes ? static_cast<DWORD>(picture.size()) : 0,
                     picture.data());
        return entry;
    }
};

TEST_P(TextureBranches, LoadCacheAndRetryAsTheEntryNeeds) {
    const auto& c = GetParam();
    if (c.sourceFirst) PlaceSource(RedPng(12, 6));
    const ResourceEntry entry = Entry();
    const TextureRecord first = cache().GetTexture(entry);

    switch (c.outcome) {
        case Outcome::DecodedAnew: {
            ASSERT_NE(first.Texture(), nullptr);
            const TextureRecord second = cache().GetTexture(entry);
            EXPECT_NE(second.Texture(), first.Texture());
            EXPECT_EQ(References(first.Texture()), 1u);
            EXPECT_EQ(References(second.Texture()), 1u);
            break;
        }
        case Outcome::Cached: {
            ASSERT_NE(first.Texture(), nullptr);
            EXPECT_EQ(References(first.Texture()), 2u);
            PlaceSource(RedPng(8, 8));
            {
                const TextureRecord second = cache().GetTexture(entry);
                EXPECT_EQ(second.Texture(), first.Texture());
                EXPECT_EQ(second.width, 12u);
                EXPECT_EQ(References(first.Texture()), 3u);
            }
            EXPECT_EQ(References(first.Texture()), 2u);
            break;
        }
        case Outcome::Retried: {
            EXPECT_EQ(first.Texture(), nullptr);
            PlaceSource(RedPng(12, 6));
            const TextureRecord second = cache().GetTexture(entry);
            ASSERT_NE(second.Texture(), nullptr);
            EXPECT_EQ(second.width, 12u);
            EXPECT_EQ(References(second.Texture()), 2u);
            return;
        }
        case Outcome::Unloadable: {
            for (const TextureRecord& record : {first, cache().GetTexture(entry)}) {
                EXPECT_EQ(record.Texture(), nullptr);
                EXPECT_EQ(record.width, 800u);
                EXPECT_EQ(record.height, 600u);
                EXPECT_FLOAT_EQ(record.aspect, 0.75f);
            }
            return;
        }
    }
    // The size is the picture's, not the texture's 16 x 8.
    EXPECT_EQ(first.width, 12u);
    EXPECT_EQ(first.height, 6u);
    EXPECT_FLOAT_EQ(first.aspect, 0.5f);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, TextureBranches,
    testing::Values(
        TextureCase{"FileNameAndBytes", true, true, L"", false, Outcome::DecodedAnew},
        TextureCase{"File", true, false, L"", true, Outcome::Cached},
        TextureCase{"MissingFile", true, false, L"", false, Outcome::Retried},
        TextureCase{"OwnModuleResource", false, false, L"", true, Outcome::Cached},
        TextureCase{"NamedModuleResource", false, false, kModuleName, true, Outcome::Cached},
        TextureCase{"ModuleWithoutResourceUsesBytes", false, true, L"", false, Outcome::Cached},
        TextureCase{"ModuleWithoutResourceOrBytes", false, false, L"", false, Outcome::Retried},
        TextureCase{"UnloadableModuleUsesBytes", false, true, L"missing.dll", false, Outcome::Cached},
        TextureCase{"UnloadableModuleWithoutBytes", false, false, L"missing.dll", false, Outcome::Unloadable},
        TextureCase{"PicturePathAsModule", false, false, L"C:\\Pictures\\lake.png", false, Outcome::Unloadable}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CacheTest, EntriesWithTheSameModuleAndIdShareOneTexture) {
    SetOwnResource(RedPng(12, 6));
    WriteModule(RedPng(8, 8));
    ResourceEntry bare(kPictureId);
    ResourceEntry withBytes(kPictureId);
    const Bytes other = RedPng(4, 4);
    withBytes.SetBytes(static_cast<DWORD>(other.size()), other.data());

    const TextureRecord a = cache().GetTexture(bare);
    const TextureRecord b = cache().GetTexture(withBytes);
    const TextureRecord named = cache().GetTexture(ResourceEntry(kPictureId, kModuleName));
    ASSERT_NE(a.Texture(), nullptr);
    EXPECT_EQ(b.Texture(), a.Texture());
    ASSERT_NE(named.Texture(), nullptr);
    EXPECT_NE(named.Texture(), a.Texture());
    EXPECT_EQ(named.width, 8u);
}

TEST_F(CacheTest, DestroyingTheCacheReleasesItsReferences) {
    SetOwnResource(RedPng(12, 6));
    const TextureRecord record = cache().GetTexture(ResourceEntry(kPictureId));
    IDirect3DTexture9* fallback = cache().GetDefaultTexture();
    ASSERT_NE(record.Texture(), nullptr);
    ASSERT_NE(fallback, nullptr);
    DestroyCache();
    EXPECT_EQ(References(record.Texture()), 1u);
    EXPECT_EQ(fallback->Release(), 0u);
}

TEST_F(CacheTest, ModulesAreLoadedByModuleNameOnlyAndFailuresAreRetried) {
    EXPECT_EQ(cache().GetModule(L""), std::make_pair(true, HMODULE{}));
    EXPECT_FALSE(cache().GetModule(L"C:\\Pictures\\lake.png").first);
    EXPECT_FALSE(cache().GetModule(kModuleName).first);

    WriteModule(RedPng(4, 4));
    const auto loaded = cache().GetModule(kModuleName);
    ASSERT_TRUE(loaded.first);
    EXPECT_NE(loaded.second, nullptr);
    EXPECT_EQ(cache().GetModule(kModuleName), loaded);
    EXPECT_TRUE(cache().GetModule(L"COMMON_RES.DLL").first);
}

TEST_F(CacheTest, DefaultTextureIsTheOwnWaterPictureWithItsFullMipChainOnce) {
    IDirect3DTexture9* first = cache().GetDefaultTexture();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GetLevelCount(), 10u);
    D3DSURFACE_DESC top{}, bottom{};
    first->GetLevelDesc(0, &top);
    first->GetLevelDesc(9, &bottom);
    EXPECT_EQ(top.Width, 512u);
    EXPECT_EQ(top.Height, 512u);
    EXPECT_EQ(bottom.Width, 1u);

    IDirect3DTexture9* second = cache().GetDefaultTexture();
    EXPECT_EQ(second, first);
    EXPECT_EQ(References(first), 3u);
    second->Release();
    first->Release();
}

// Texels B, G, R, A.
const Bytes kRed = {0, 0, 255, 255};
const Bytes kClear = {0, 0, 0, 0};

TEST_F(CacheTest, LoadersUseTheirOwnFiltersAndMipLevels) {
    const Bytes picture = RedPng(12, 6);
    SetOwnResource(picture);

    d3d9_test::Com<IDirect3DTexture9> unfiltered, fullChain, fromModule, fromMemory;
    EXPECT_EQ(LoadTextureFromResource(kPictureId, false, unfiltered.out()), S_OK);
    EXPECT_EQ(LoadTextureFromResource(kPictureId, true, fullChain.out()), S_OK);
    D3DXIMAGE_INFO moduleInfo, memoryInfo;
    EXPECT_EQ(LoadTextureFromModuleResource(nullptr, kPictureId, fromModule.out(), &moduleInfo), S_OK);
    EXPECT_EQ(LoadTextureFromMemory(picture.data(), static_cast<UINT>(picture.size()), fromMemory.out(), &memoryInfo),
              S_OK);

    // Unfiltered, the picture keeps its place in the 16 x 8 texture.
    EXPECT_EQ(unfiltered->GetLevelCount(), 1u);
    EXPECT_EQ(TexelBytes(unfiltered.get(), 0, 11, 5), kRed);
    EXPECT_EQ(TexelBytes(unfiltered.get(), 0, 14, 7), kClear);
    EXPECT_EQ(fullChain->GetLevelCount(), 5u);
    // Filtered, it fills the texture.
    for (IDirect3DTexture9* scaled : {fromModule.get(), fromMemory.get()}) {
        EXPECT_EQ(scaled->GetLevelCount(), 1u);
        EXPECT_EQ(TexelBytes(scaled, 0, 15, 7), kRed);
    }
    EXPECT_EQ(moduleInfo.Width, 12u);
    EXPECT_EQ(memoryInfo.Height, 6u);
}

TEST_F(CacheTest, LoadersFindingNothingFailWithoutTexture) {
    d3d9_test::Com<IDirect3DTexture9> texture;
    D3DXIMAGE_INFO info;
    info.Width = 77;
    EXPECT_EQ(LoadTextureFromResource(0, false, texture.out()), E_FAIL);
    EXPECT_EQ(texture.get(), nullptr);
    EXPECT_EQ(LoadTextureFromModuleResource(nullptr, 41, texture.out(), &info), E_FAIL);
    EXPECT_EQ(info.Width, 0u);
    EXPECT_EQ(LoadTextureFromMemory(nullptr, 0, texture.out(), &info), E_FAIL);
    const BYTE junk[] = {1, 2, 3};
    EXPECT_TRUE(FAILED(LoadTextureFromMemory(junk, sizeof junk, texture.out(), &info)));
    EXPECT_EQ(texture.get(), nullptr);
}

TEST_F(CacheTest, RecordsAndSequencesHoldOneReferencePerCopy) {
    SetOwnResource(RedPng(12, 6));
    const TextureRecord record = cache().GetTexture(ResourceEntry(kPictureId));
    IDirect3DTexture9* texture = record.Texture();
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(References(texture), 2u);

    TextureSequence sequence;
    sequence.AppendFrame(texture);
    sequence.AppendFrame(nullptr);
    sequence.width = record.width;
    EXPECT_EQ(References(texture), 3u);
    {
        TextureSequence copy(sequence);
        TextureSequence assigned;
        assigned = copy;
        EXPECT_EQ(References(texture), 5u);
        const TextureRecord firstFrame = assigned.GetFirstFrame();
        EXPECT_EQ(firstFrame.Texture(), texture);
        EXPECT_EQ(firstFrame.width, 12u);
        EXPECT_EQ(References(texture), 6u);
    }
    EXPECT_EQ(References(texture), 3u);

    TextureRecord replaced = record;
    replaced.Set(D3DXIMAGE_INFO{}, nullptr);
    EXPECT_EQ(References(texture), 3u);
}

}  // namespace
}  // namespace resources_test
