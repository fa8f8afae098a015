#include "engine/data/md5.h"

#include <openssl/evp.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Only a broken crypto library fails here; a wrong digest would silently
// give a wrong key, so stop instead.
void require(int ok) {
    if (ok == 1) return;
    std::fputs("md5: the crypto library cannot compute MD5.\n", stdout);
    std::fflush(stdout);
    std::abort();
}

}  // namespace

Md5Context::Md5Context() : evp_(EVP_MD_CTX_new()) {
    require(evp_ != nullptr);
    md5Init(*this);
}

Md5Context::~Md5Context() { EVP_MD_CTX_free(evp_); }

void md5Init(Md5Context& context) { require(EVP_DigestInit_ex(context.evp_, EVP_md5(), nullptr)); }

void md5Update(Md5Context& context, const void* bytes, size_t length) {
    require(EVP_DigestUpdate(context.evp_, bytes, length));
}

void md5Final(Md5Context& context, uint8_t* digest) {
    unsigned int length = 0;
    require(EVP_DigestFinal_ex(context.evp_, digest, &length));
    require(length == 16);
}

Md5Digest md5Of(std::string_view bytes) {
    Md5Context context;
    md5Update(context, bytes.data(), bytes.size());
    Md5Digest digest;
    md5Final(context, digest.data());
    return digest;
}
