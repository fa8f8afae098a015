#pragma once
// Resumable deflate and inflate over zlib (level 6, zlib stream format).
// Each call feeds at most `chunk` further source bytes; the last call
// finishes the stream.
//
// Threads: one object belongs to one thread (made for one packet step).

#include <cstddef>
#include <cstdint>
#include <memory>

#include "gsclient/util/base.h"

namespace util::compression {

class Zlib : public Base {
public:
    Zlib();
    ~Zlib() override;

    // dstLength: capacity in, bytes produced out once finished. The same src
    // and dst must be given to every call of one operation.
    // 1 call again; 0 finished; -1 zlib failure; -2 null pointer or zero
    // argument; -3 output space exhausted; -4 the other operation is running;
    // -5 another src or dst while running (the operation is cancelled).
    int compress(const std::uint8_t* src, std::size_t srcLength, std::uint8_t* dst,
                 std::size_t* dstLength, std::size_t chunk);
    int uncompress(const std::uint8_t* src, std::size_t srcLength, std::uint8_t* dst,
                   std::size_t* dstLength, std::size_t chunk);

    // Ends a running operation: 0, or -1 when zlib refuses to end it.
    int cancel();

    bool busy() const;

private:
    class Data;

    int run(bool compressing, const std::uint8_t* src, std::size_t srcLength, std::uint8_t* dst,
            std::size_t* dstLength, std::size_t chunk);
    int begin(bool compressing, const std::uint8_t* src, std::uint8_t* dst,
              std::size_t dstLength);
    int step(bool compressing, int flush);
    void finish(std::size_t* dstLength);

    std::unique_ptr<Data> data_;
    bool mode_ = false;  // true while a compression runs
    const std::uint8_t* src_ = nullptr;
    std::uint8_t* dst_ = nullptr;
};

}  // namespace util::compression
