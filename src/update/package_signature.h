#pragma once
// Signatures of update packages: Ed25519 (libsodium) over the exact bytes of
// the package file, detached. Keys and signatures travel as base64 text (the
// standard alphabet with padding): the public key is built into the updater,
// the signature stands in the manifest's 签名 attribute, and the secret key
// lies in a file only the publisher holds.

#include <string>
#include <string_view>

namespace ssq::update {

struct SigningKeys {
    std::string publicKey; // 32 bytes, base64
    std::string secretKey; // 64 bytes, base64; keep it secret
};

// A fresh random key pair.
SigningKeys generateSigningKeys();

// The signature of bytes, base64; empty when secretKey is not a secret key.
std::string signPackage(std::string_view secretKey, std::string_view bytes);

// True only when signature is a valid signature of exactly these bytes by the
// holder of publicKey. An empty, malformed or wrong-length key or signature is
// false, never an error.
bool verifyPackage(std::string_view publicKey, std::string_view bytes, std::string_view signature);

} // namespace ssq::update
