#pragma once
// MD5 digests, computed by OpenSSL. The engine derives its data-file key
// stream from one.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

struct evp_md_ctx_st;

using Md5Digest = std::array<uint8_t, 16>;

// One digest in progress. md5Init starts (or restarts) it; the constructor
// already did.
class Md5Context {
public:
    Md5Context();
    ~Md5Context();
    Md5Context(const Md5Context&) = delete;
    Md5Context& operator=(const Md5Context&) = delete;

private:
    friend void md5Init(Md5Context& context);
    friend void md5Update(Md5Context& context, const void* bytes, size_t length);
    friend void md5Final(Md5Context& context, uint8_t* digest);
    evp_md_ctx_st* evp_;
};

void md5Init(Md5Context& context);
void md5Update(Md5Context& context, const void* bytes, size_t length);
// Writes the 16 digest bytes; the context must be restarted before reuse.
void md5Final(Md5Context& context, uint8_t* digest);

Md5Digest md5Of(std::string_view bytes);
