#include "d3dx9/xfile/x_inflate.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace platform::d3dx9 {
namespace {

constexpr size_t kHeaderSize = 16;
constexpr size_t kHistory = 32768;

class RawInflater {
public:
    RawInflater() { ready_ = inflateInit2(&stream_, -MAX_WBITS) == Z_OK; }
    ~RawInflater() {
        if (ready_) inflateEnd(&stream_);
    }
    RawInflater(const RawInflater&) = delete;
    RawInflater& operator=(const RawInflater&) = delete;

    // One block: a whole deflate stream whose window starts with the
    // previous blocks' output.
    bool Block(std::span<const BYTE> input, std::span<const BYTE> history, BYTE* out, size_t outSize) {
        if (!ready_ || inflateReset(&stream_) != Z_OK) return false;
        if (!history.empty() &&
            inflateSetDictionary(&stream_, history.data(), static_cast<uInt>(history.size())) != Z_OK)
            return false;
        stream_.next_in = const_cast<Bytef*>(input.data());
        stream_.avail_in = static_cast<uInt>(input.size());
        stream_.next_out = out;
        stream_.avail_out = static_cast<uInt>(outSize);
        const int status = inflate(&stream_, Z_FINISH);
        return status == Z_STREAM_END && stream_.avail_out == 0;
    }

private:
    z_stream stream_{};
    bool ready_ = false;
};

DWORD ReadDword(const BYTE* p) { return DWORD(p[0]) | DWORD(p[1]) << 8 | DWORD(p[2]) << 16 | DWORD(p[3]) << 24; }
WORD ReadWord(const BYTE* p) { return WORD(p[0] | p[1] << 8); }

}  // namespace

bool InflateMszip(std::span<const BYTE> compressed, std::vector<BYTE>& body) {
    body.clear();
    if (compressed.size() < 4) return false;
    // The stated size counts the header as well as the body.
    const DWORD stated = ReadDword(compressed.data());
    if (stated < kHeaderSize) return false;
    const size_t limit = stated - kHeaderSize;
    RawInflater inflater;
    size_t at = 4;
    while (at < compressed.size()) {
        if (compressed.size() - at < 4) return false;
        const size_t blockSize = ReadWord(compressed.data() + at);
        const size_t packedSize = ReadWord(compressed.data() + at + 2);
        at += 4;
        if (packedSize < 2 || packedSize > compressed.size() - at) return false;
        if (blockSize == 0 || blockSize > limit - body.size()) return false;
        if (compressed[at] != 'C' || compressed[at + 1] != 'K') return false;
        const size_t start = body.size();
        const size_t historySize = std::min(start, kHistory);
        body.resize(start + blockSize);
        if (!inflater.Block(compressed.subspan(at + 2, packedSize - 2),
                            std::span<const BYTE>(body.data() + start - historySize, historySize),
                            body.data() + start, blockSize))
            return false;
        at += packedSize;
    }
    return body.size() == limit;
}

}  // namespace platform::d3dx9
