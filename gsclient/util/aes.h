#pragma once
// AES-256 in CBC mode with our own padding: 1 to 16 bytes, each holding the
// pad length (a whole block when the input is already a multiple of 16).
// OpenSSL only runs the block chain; its own padding stays off.
//
// Threads: one object belongs to one thread (each packet codec owns its own).

#include <openssl/types.h>

#include <array>
#include <cstddef>
#include <cstdint>

#include "gsclient/util/base.h"

namespace util::crypt {

class Aes : public Base {
public:
    static constexpr std::size_t kBlockBytes = 16;
    static constexpr std::size_t kKeyBytes = 32;

    // The key, kept only here and wiped when replaced or destroyed.
    class CryptKey : public Base {
    public:
        // Throws std::runtime_error "Error: OpenAlgorithmProvider.\n" when
        // OpenSSL has no AES-256-CBC.
        CryptKey();
        ~CryptKey() override;

        // 0, or -5 for a key that is not 32 bytes.
        int setKey(const std::uint8_t* key, std::size_t length);
        bool isSet() const { return set_; }

        const EVP_CIPHER* algorithm() const { return algorithm_; }
        const std::uint8_t* bytes() const { return key_.data(); }

    private:
        void clear();

        EVP_CIPHER* algorithm_;
        std::array<std::uint8_t, kKeyBytes> key_{};
        bool set_ = false;
    };

    Aes() : Base("Aes") {}

    void setLogLevel(std::int32_t level) override;

    CryptKey& cryptKey() { return key_; }

    // outLength: capacity in, bytes written out. A null out asks for the
    // needed length only. Without padding iv is advanced to the last cipher
    // block so a following call continues the chain; with padding it is kept.
    // 0; -1 cipher failure; -2 null input; -3 output too small; -4 no key;
    // -5 the length cannot be enciphered.
    int encryptCbc(const std::uint8_t* in, std::size_t inLength, std::uint8_t* out,
                   std::size_t* outLength, std::uint8_t* iv, bool padding);

    // The same shape; out must hold inLength bytes (the rest is zeroed).
    // 0; -1 cipher failure, a pad value above 16 or nothing to decipher with
    // padding; -2 null pointer; -3 output smaller than input; -4 no key.
    int decryptCbc(const std::uint8_t* in, std::size_t inLength, std::uint8_t* out,
                   std::size_t* outLength, std::uint8_t* iv, bool padding);

private:
    CryptKey key_;
};

}  // namespace util::crypt
