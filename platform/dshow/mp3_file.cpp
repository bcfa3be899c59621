// MP3 through libmpg123, decoded to 16-bit PCM at the file's own rate.
#include <mpg123.h>

#include <memory>

#include "dshow/decoded_audio.h"

namespace platform::dshow {
namespace {

struct HandleDeleter {
    void operator()(mpg123_handle* handle) const { mpg123_delete(handle); }
};

// mpg123 finds frames in any noise; only a file that starts like an MP3
// (an ID3 tag or a frame header) is given to it.
bool LooksLikeMp3(const std::vector<BYTE>& file) {
    if (file.size() >= 3 && file[0] == 'I' && file[1] == 'D' && file[2] == '3') return true;
    return file.size() >= 4 && file[0] == 0xFF && (file[1] & 0xE0) == 0xE0;
}

}  // namespace

bool DecodeMp3(const std::vector<BYTE>& file, DecodedAudio* decoded) {
    if (!LooksLikeMp3(file)) return false;
    int error = MPG123_OK;
    const std::unique_ptr<mpg123_handle, HandleDeleter> handle(mpg123_new(nullptr, &error));
    if (!handle) return false;
    mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    mpg123_format_none(handle.get());
    const long* rates = nullptr;
    size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (size_t i = 0; i < rateCount; ++i)
        mpg123_format(handle.get(), rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    if (mpg123_open_feed(handle.get()) != MPG123_OK) return false;
    if (mpg123_feed(handle.get(), file.data(), file.size()) != MPG123_OK) return false;

    long rate = 0;
    int channels = 0;
    std::vector<BYTE>& out = decoded->data;
    out.clear();
    unsigned char block[32768];
    for (;;) {
        size_t done = 0;
        const int status = mpg123_read(handle.get(), block, sizeof block, &done);
        out.insert(out.end(), block, block + done);
        if (status == MPG123_NEW_FORMAT) {
            int encoding = 0;
            mpg123_getformat(handle.get(), &rate, &channels, &encoding);
            // One format for the whole file: a change midway ends it.
            if (!out.empty()) break;
            continue;
        }
        if (status != MPG123_OK) break;
    }
    if (rate <= 0 || channels < 1 || out.empty()) return false;
    decoded->format = {audio::SampleEncoding::kSigned16, channels, static_cast<int>(rate), 2 * channels};
    out.resize(out.size() - out.size() % static_cast<std::size_t>(decoded->format.blockAlign));
    return true;
}

}  // namespace platform::dshow
