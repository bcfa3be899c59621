// mmio over memory: chunks found and entered, reads kept inside the buffer.
#include <windows.h>

#include <gtest/gtest.h>

#include "sound/support/sound_files.h"

namespace {

using sound_test::Bytes;

class MemoryFile {
public:
    explicit MemoryFile(Bytes bytes) : bytes_(std::move(bytes)) {
        MMIOINFO info{};
        info.fccIOProc = FOURCC_MEM;
        info.pchBuffer = reinterpret_cast<HPSTR>(bytes_.data());
        info.cchBuffer = static_cast<LONG>(bytes_.size());
        handle_ = mmioOpenW(nullptr, &info, MMIO_READ);
    }
    ~MemoryFile() {
        if (handle_) {
            EXPECT_EQ(mmioClose(handle_, 0), MMSYSERR_NOERROR);
        }
    }
    HMMIO get() const { return handle_; }

private:
    Bytes bytes_;
    HMMIO handle_ = nullptr;
};

const FOURCC kWave = mmioFOURCC('W', 'A', 'V', 'E');
const FOURCC kFormat = mmioFOURCC('f', 'm', 't', ' ');
const FOURCC kData = mmioFOURCC('d', 'a', 't', 'a');

TEST(MmioTest, DescendsIntoTheFormAndItsChunksAndReadsThem) {
    const MemoryFile file(sound_test::WaveFile({}, Bytes{1, 2, 3, 4}));
    ASSERT_NE(file.get(), nullptr);
    MMCKINFO form{};
    form.fccType = kWave;
    ASSERT_EQ(mmioDescend(file.get(), &form, nullptr, MMIO_FINDRIFF), MMSYSERR_NOERROR);
    EXPECT_EQ(form.dwDataOffset, 8u);
    EXPECT_EQ(mmioSeek(file.get(), 0, SEEK_CUR), 12);

    MMCKINFO chunk{};
    chunk.ckid = kData;  // past "fmt "
    ASSERT_EQ(mmioDescend(file.get(), &chunk, &form, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
    EXPECT_EQ(chunk.cksize, 4u);
    char data[8] = {};
    EXPECT_EQ(mmioRead(file.get(), data, 8), 4);  // only what the buffer holds
    EXPECT_EQ(data[3], 4);
    EXPECT_EQ(mmioRead(file.get(), data, 8), 0);

    // The format chunk lies before: found again from the start of the form.
    mmioSeek(file.get(), 12, SEEK_SET);
    chunk.ckid = kFormat;
    ASSERT_EQ(mmioDescend(file.get(), &chunk, &form, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
    EXPECT_EQ(chunk.cksize, 16u);
    ASSERT_EQ(mmioAscend(file.get(), &chunk, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(mmioSeek(file.get(), 0, SEEK_CUR), 36);
}

TEST(MmioTest, MissingTruncatedAndOversizedChunksAreNotFoundOrBounded) {
    MMCKINFO form{};
    form.fccType = kWave;
    {
        // A form of another type.
        Bytes bytes = sound_test::WaveFile({}, Bytes{0, 0});
        bytes[8] = 'A';
        const MemoryFile file(bytes);
        EXPECT_EQ(mmioDescend(file.get(), &form, nullptr, MMIO_FINDRIFF), MMIOERR_CHUNKNOTFOUND);
    }
    {
        // A chunk header cut in half after the form.
        Bytes bytes = sound_test::WaveFile({}, Bytes{0, 0});
        bytes.resize(16);
        const MemoryFile file(bytes);
        ASSERT_EQ(mmioDescend(file.get(), &form, nullptr, MMIO_FINDRIFF), MMSYSERR_NOERROR);
        MMCKINFO chunk{};
        chunk.ckid = kFormat;
        EXPECT_EQ(mmioDescend(file.get(), &chunk, &form, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);
    }
    {
        // A format chunk claiming 4 GB: the data chunk behind it is never reached.
        Bytes bytes = sound_test::WaveFile({}, Bytes{0, 0});
        bytes[16] = bytes[17] = bytes[18] = bytes[19] = 0xFF;
        const MemoryFile file(bytes);
        ASSERT_EQ(mmioDescend(file.get(), &form, nullptr, MMIO_FINDRIFF), MMSYSERR_NOERROR);
        MMCKINFO chunk{};
        chunk.ckid = kData;
        EXPECT_EQ(mmioDescend(file.get(), &chunk, &form, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);
    }
    {
        const MemoryFile file(Bytes{1, 2, 3});
        EXPECT_EQ(mmioSeek(file.get(), 4, SEEK_SET), -1);
        EXPECT_EQ(mmioSeek(file.get(), -1, SEEK_END), 2);
    }
}

TEST(MmioTest, OpensOnlyMemoryFilesAndMakesFourCharacterCodes) {
    MMIOINFO info{};
    info.fccIOProc = FOURCC_MEM;
    EXPECT_EQ(mmioOpenW(nullptr, &info, MMIO_READ), nullptr);  // no buffer
    EXPECT_EQ(info.wErrorRet, UINT{MMIOERR_CANNOTOPEN});
    EXPECT_EQ(mmioStringToFOURCCW(L"MEM", 0), FOURCC_MEM);
    EXPECT_EQ(mmioStringToFOURCCW(L"wave", MMIO_TOUPPER), mmioFOURCC('W', 'A', 'V', 'E'));
}

}  // namespace
