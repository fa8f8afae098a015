#include "gsclient/util/aes.h"

#include <openssl/crypto.h>
#include <openssl/err.h>
#include <openssl/evp.h>

#include <climits>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <vector>

#include "gsclient/util/log.h"

namespace util::crypt {

namespace {

constexpr const char* kSetKey = "util::crypt::Aes::CryptKey::setKey";
constexpr const char* kEncrypt = "util::crypt::Aes::encryptCbc";
constexpr const char* kDecrypt = "util::crypt::Aes::decryptCbc";
constexpr std::uint8_t kMaxPad = 16;
constexpr int kCannotEncipher = -5;

struct ContextFree {
    void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};
using Context = std::unique_ptr<EVP_CIPHER_CTX, ContextFree>;

int lastError() { return static_cast<int>(ERR_get_error() & INT_MAX); }

// Runs the bare block chain over `length` bytes (a multiple of 16 or it fails).
bool runChain(bool encipher, const Aes::CryptKey& key, const std::uint8_t* in, int length,
              std::uint8_t* out, int* written, const std::uint8_t* iv) {
    Context context(EVP_CIPHER_CTX_new());
    if (!context) return false;
    int head = 0;
    int tail = 0;
    if (EVP_CipherInit_ex2(context.get(), key.algorithm(), key.bytes(), iv, encipher ? 1 : 0,
                           nullptr) != 1 ||
        EVP_CIPHER_CTX_set_padding(context.get(), 0) != 1 ||
        EVP_CipherUpdate(context.get(), out, &head, in, length) != 1 ||
        EVP_CipherFinal_ex(context.get(), out + head, &tail) != 1) {
        return false;
    }
    *written = head + tail;
    return true;
}

}  // namespace

Aes::CryptKey::CryptKey()
    : Base("CryptKey"), algorithm_(EVP_CIPHER_fetch(nullptr, "AES-256-CBC", nullptr)) {
    if (!algorithm_) throw std::runtime_error("Error: OpenAlgorithmProvider.\n");
}

Aes::CryptKey::~CryptKey() {
    clear();
    EVP_CIPHER_free(algorithm_);
}

void Aes::CryptKey::clear() {
    OPENSSL_cleanse(key_.data(), key_.size());
    set_ = false;
}

int Aes::CryptKey::setKey(const std::uint8_t* key, std::size_t length) {
    clear();
    if (!key || length != kKeyBytes) {
        ABAAS_LOG_ERROR(*this, kSetKey, "Error: CryptImportKey(). ErrCode %d.\n",
                        static_cast<int>(length));
        return -5;
    }
    std::memcpy(key_.data(), key, kKeyBytes);
    set_ = true;
    return 0;
}

void Aes::setLogLevel(std::int32_t level) {
    Base::setLogLevel(level);
    key_.setLogLevel(level);
}

int Aes::encryptCbc(const std::uint8_t* in, std::size_t inLength, std::uint8_t* out,
                    std::size_t* outLength, std::uint8_t* iv, bool padding) {
    if (!in || !outLength || !iv) {
        ABAAS_LOG_ERROR(*this, kEncrypt, "Error: invalid pointer.\n");
        return -2;
    }
    if (!key_.isSet()) {
        ABAAS_LOG_ERROR(*this, kEncrypt, "Error: not set crypt key.\n");
        return -4;
    }
    std::uint8_t workIv[kBlockBytes];
    std::memcpy(workIv, iv, kBlockBytes);

    const std::size_t pad = padding ? kBlockBytes - inLength % kBlockBytes : 0;
    const std::size_t needed = inLength + pad;
    if (needed % kBlockBytes != 0 || needed > INT_MAX) {
        ABAAS_LOG_ERROR(*this, kEncrypt, "Error: get needOutputSize. ErrCode %d.\n", kCannotEncipher);
        return kCannotEncipher;
    }
    if (!out) {
        *outLength = needed;
        return 0;
    }
    if (*outLength < needed) {
        ABAAS_LOG_ERROR(*this, kEncrypt, "Error: outData size is small.\n");
        return -3;
    }
    std::vector<std::uint8_t> work(in, in + inLength);
    work.resize(needed, static_cast<std::uint8_t>(pad));

    int written = 0;
    if (!runChain(true, key_, work.data(), static_cast<int>(needed), out, &written, workIv)) {
        ABAAS_LOG_ERROR(*this, kEncrypt, "Error: encrypt. ErrCode %d.\n", lastError());
        return -1;
    }
    *outLength = static_cast<std::size_t>(written);
    if (!padding && written > 0) std::memcpy(iv, out + written - kBlockBytes, kBlockBytes);
    return 0;
}

int Aes::decryptCbc(const std::uint8_t* in, std::size_t inLength, std::uint8_t* out,
                    std::size_t* outLength, std::uint8_t* iv, bool padding) {
    if (!in || !out || !outLength || !iv) {
        ABAAS_LOG_ERROR(*this, kDecrypt, "Error: invalid pointer.\n");
        return -2;
    }
    if (!key_.isSet()) {
        ABAAS_LOG_ERROR(*this, kDecrypt, "Error: not set crypt key.\n");
        return -4;
    }
    if (inLength > *outLength) {
        ABAAS_LOG_ERROR(*this, kDecrypt, "Error: invalid data size.\n");
        return -3;
    }
    // A padded text is never empty: its pad byte would lie before the buffer.
    if (padding && inLength == 0) {
        ABAAS_LOG_ERROR(*this, kDecrypt, "Error: invalid data size.\n");
        return -1;
    }
    std::uint8_t workIv[kBlockBytes];
    std::memcpy(workIv, iv, kBlockBytes);
    std::uint8_t nextIv[kBlockBytes];
    if (inLength >= kBlockBytes) std::memcpy(nextIv, in + inLength - kBlockBytes, kBlockBytes);
    std::memset(out + inLength, 0, *outLength - inLength);

    int written = 0;
    if (inLength > INT_MAX ||
        !runChain(false, key_, in, static_cast<int>(inLength), out, &written, workIv)) {
        ABAAS_LOG_ERROR(*this, kDecrypt, "Error: decrypt. ErrCode %d.\n", lastError());
        return -1;
    }
    std::size_t length = static_cast<std::size_t>(written);
    if (padding) {
        // The pad bytes are not compared with each other: the CRC of the
        // plain text is what proves a reply whole.
        const std::uint8_t pad = out[length - 1];
        if (pad > kMaxPad) return -1;
        std::memset(out + length - pad, 0, pad);
        length -= pad;
    }
    *outLength = length;
    if (!padding && inLength >= kBlockBytes) std::memcpy(iv, nextIv, kBlockBytes);
    return 0;
}

}  // namespace util::crypt
