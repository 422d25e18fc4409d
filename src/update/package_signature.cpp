#include "update/package_signature.h"

#include <sodium.h>

#include <array>
#include <cstdlib>
#include <optional>
#include <vector>

namespace ssq::update {
namespace {

void initSodium() {
    // Thread-safe and repeatable; fails only without a random source.
    if (sodium_init() < 0)
        std::abort();
}

std::string toBase64(const unsigned char* bytes, std::size_t size) {
    std::string out(sodium_base64_ENCODED_LEN(size, sodium_base64_VARIANT_ORIGINAL), '\0');
    sodium_bin2base64(out.data(), out.size(), bytes, size, sodium_base64_VARIANT_ORIGINAL);
    out.resize(out.size() - 1); // the terminating zero
    return out;
}

// Exactly N bytes from base64 text (white space around it ignored), or nothing.
template <std::size_t N>
std::optional<std::array<unsigned char, N>> fromBase64(std::string_view text) {
    std::array<unsigned char, N> out{};
    std::size_t size = 0;
    const char* end = nullptr;
    if (sodium_base642bin(out.data(), out.size(), text.data(), text.size(), " \t\r\n", &size, &end,
                          sodium_base64_VARIANT_ORIGINAL) != 0 ||
        size != N || end != text.data() + text.size())
        return std::nullopt;
    return out;
}

} // namespace

SigningKeys generateSigningKeys() {
    initSodium();
    std::array<unsigned char, crypto_sign_PUBLICKEYBYTES> pk{};
    std::array<unsigned char, crypto_sign_SECRETKEYBYTES> sk{};
    crypto_sign_keypair(pk.data(), sk.data());
    SigningKeys keys{toBase64(pk.data(), pk.size()), toBase64(sk.data(), sk.size())};
    sodium_memzero(sk.data(), sk.size());
    return keys;
}

std::string signPackage(std::string_view secretKey, std::string_view bytes) {
    initSodium();
    auto sk = fromBase64<crypto_sign_SECRETKEYBYTES>(secretKey);
    if (!sk)
        return {};
    std::array<unsigned char, crypto_sign_BYTES> sig{};
    crypto_sign_detached(sig.data(), nullptr, reinterpret_cast<const unsigned char*>(bytes.data()),
                         bytes.size(), sk->data());
    sodium_memzero(sk->data(), sk->size());
    return toBase64(sig.data(), sig.size());
}

bool verifyPackage(std::string_view publicKey, std::string_view bytes, std::string_view signature) {
    initSodium();
    const auto pk = fromBase64<crypto_sign_PUBLICKEYBYTES>(publicKey);
    const auto sig = fromBase64<crypto_sign_BYTES>(signature);
    if (!pk || !sig)
        return false;
    return crypto_sign_verify_detached(sig->data(),
                                       reinterpret_cast<const unsigned char*>(bytes.data()),
                                       bytes.size(), pk->data()) == 0;
}

} // namespace ssq::update
