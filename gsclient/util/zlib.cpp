#include "gsclient/util/zlib.h"

#include <zlib.h>

#include <climits>

#include "gsclient/util/log.h"

namespace util::compression {

namespace {
constexpr const char* kCompress = "util::compression::Zlib::compress";
constexpr const char* kUncompress = "util::compression::Zlib::uncompress";
constexpr const char* kCancel = "util::compression::Zlib::cancel";
constexpr int kLevel = 6;

const char* messageOf(const z_stream& stream) { return stream.msg ? stream.msg : ""; }
}  // namespace

class Zlib::Data : public Base {
public:
    Data() : Base("Zlib::Data") {}
    z_stream stream{};
    bool busy = false;
};

Zlib::Zlib() : Base("Zlib"), data_(std::make_unique<Data>()) {}

Zlib::~Zlib() { cancel(); }

bool Zlib::busy() const { return data_->busy; }

int Zlib::compress(const std::uint8_t* src, std::size_t srcLength, std::uint8_t* dst,
                   std::size_t* dstLength, std::size_t chunk) {
    return run(true, src, srcLength, dst, dstLength, chunk);
}

int Zlib::uncompress(const std::uint8_t* src, std::size_t srcLength, std::uint8_t* dst,
                     std::size_t* dstLength, std::size_t chunk) {
    return run(false, src, srcLength, dst, dstLength, chunk);
}

int Zlib::run(bool compressing, const std::uint8_t* src, std::size_t srcLength,
              std::uint8_t* dst, std::size_t* dstLength, std::size_t chunk) {
    const char* function = compressing ? kCompress : kUncompress;
    if (!src || !dst || !dstLength) {
        ABAAS_LOG_ERROR(*this, function, "Error: invalid pointer.\n");
        return -2;
    }
    // zlib counts in 32 bits: anything larger is no argument for it.
    if (chunk == 0 || srcLength == 0 || *dstLength == 0 || srcLength > UINT_MAX ||
        *dstLength > UINT_MAX) {
        ABAAS_LOG_ERROR(*this, function, "Error: invalid argument.\n");
        return -2;
    }
    if (!data_->busy) {
        int result = begin(compressing, src, dst, *dstLength);
        if (result != 0) return result;
    } else if (mode_ != compressing) {
        return -4;
    } else if (src_ != src || dst_ != dst) {
        cancel();
        return -5;
    }

    z_stream& stream = data_->stream;
    const std::size_t remaining = srcLength - stream.total_in;
    const bool last = chunk >= remaining;
    stream.avail_in = static_cast<uInt>(last ? remaining : chunk);
    const int result = step(compressing, last ? Z_FINISH : Z_NO_FLUSH);
    if (!last && result == Z_OK) return 1;
    if (last && result == Z_STREAM_END) {
        finish(dstLength);
        return 0;
    }
    const bool outputFull = compressing ? (result == Z_OK || result == Z_BUF_ERROR)
                                        : result == Z_BUF_ERROR;
    if (last && outputFull) {
        ABAAS_LOG_ERROR(*this, function, "Error: Invalid size.\n");
        cancel();
        return -3;
    }
    ABAAS_LOG_ERROR(*this, function,
                    compressing ? "Error: compress. ret = %d, %s\n"
                                : "Error: uncompress. ret = %d, %s\n",
                    result, messageOf(stream));
    cancel();
    return -1;
}

int Zlib::begin(bool compressing, const std::uint8_t* src, std::uint8_t* dst,
                std::size_t dstLength) {
    z_stream& stream = data_->stream;
    stream = z_stream{};
    data_->busy = true;
    const int result = compressing ? deflateInit(&stream, kLevel) : inflateInit(&stream);
    if (result != Z_OK) {
        ABAAS_LOG_ERROR(*this, compressing ? kCompress : kUncompress,
                        compressing ? "Error: compress init. ret = %d, %s\n"
                                    : "Error: uncompress init. ret = %d, %s\n",
                        result, messageOf(stream));
        data_->busy = false;
        return -1;
    }
    mode_ = compressing;
    src_ = src;
    dst_ = dst;
    stream.next_in = const_cast<Bytef*>(src);
    stream.next_out = dst;
    stream.avail_out = static_cast<uInt>(dstLength);
    return 0;
}

int Zlib::step(bool compressing, int flush) {
    return compressing ? deflate(&data_->stream, flush) : inflate(&data_->stream, flush);
}

void Zlib::finish(std::size_t* dstLength) {
    z_stream& stream = data_->stream;
    *dstLength = stream.total_out;
    src_ = nullptr;
    dst_ = nullptr;
    data_->busy = false;
    if (mode_) {
        deflateEnd(&stream);
    } else {
        inflateEnd(&stream);
    }
}

int Zlib::cancel() {
    if (!data_->busy) return 0;
    data_->busy = false;
    src_ = nullptr;
    dst_ = nullptr;
    z_stream& stream = data_->stream;
    int result;
    if (mode_) {
        deflateReset(&stream);
        result = deflateEnd(&stream);
    } else {
        inflateReset(&stream);
        result = inflateEnd(&stream);
    }
    if (result != Z_OK) {
        ABAAS_LOG_ERROR(*this, kCancel, "Error: cancel. ret = %d\n", result);
        return -1;
    }
    return 0;
}

}  // namespace util::compression
