// Package signatures: only the publisher's signature of exactly these bytes
// verifies; everything else is a plain "no", never a crash.

#include "update/package_signature.h"

#include <gtest/gtest.h>

#include <string>

namespace ssq::update {
namespace {

TEST(PackageSignature, OnlyThePublishersSignatureOfTheseBytesVerifies) {
    const SigningKeys publisher = generateSigningKeys();
    const SigningKeys other = generateSigningKeys();
    const std::string package = "PK\x03\x04 the update package" + std::string(5000, '\x7f');
    const std::string signature = signPackage(publisher.secretKey, package);
    ASSERT_FALSE(signature.empty());
    EXPECT_TRUE(verifyPackage(publisher.publicKey, package, signature));

    std::string flipped = package;
    flipped[flipped.size() / 2] ^= 0x01;
    std::string badSignature = signature;
    badSignature[3] = badSignature[3] == 'A' ? 'B' : 'A';
    const struct {
        const char* name;
        std::string key, bytes, signature;
    } refused[] = {
        {"a flipped byte", publisher.publicKey, flipped, signature},
        {"a byte more", publisher.publicKey, package + '\0', signature},
        {"another key's signature", publisher.publicKey, package,
         signPackage(other.secretKey, package)},
        {"checked with another key", other.publicKey, package, signature},
        {"the signature of another package", publisher.publicKey, package,
         signPackage(publisher.secretKey, "other")},
        {"no signature", publisher.publicKey, package, ""},
        {"an altered signature", publisher.publicKey, package, badSignature},
        {"a shortened signature", publisher.publicKey, package, signature.substr(0, 40)},
        {"not base64", publisher.publicKey, package, std::string(88, '!')},
        {"no key", "", package, signature},
        {"the secret key as public key", publisher.secretKey, package, signature},
    };
    for (const auto& r : refused)
        EXPECT_FALSE(verifyPackage(r.key, r.bytes, r.signature)) << r.name;
}

TEST(PackageSignature, KeysAndSignaturesAreBase64Text) {
    const SigningKeys keys = generateSigningKeys();
    EXPECT_EQ(keys.publicKey.size(), 44u); // 32 bytes
    EXPECT_EQ(keys.secretKey.size(), 88u); // 64 bytes
    EXPECT_NE(keys.publicKey, generateSigningKeys().publicKey);
    const std::string signature = signPackage(keys.secretKey, "");
    EXPECT_EQ(signature.size(), 88u); // 64 bytes
    EXPECT_TRUE(verifyPackage(keys.publicKey, "", signature));
    // A key file's line break and surrounding blanks do not matter.
    EXPECT_EQ(signPackage(keys.secretKey + "\n", "x"), signPackage(keys.secretKey, "x"));
    EXPECT_TRUE(verifyPackage(" " + keys.publicKey + "\n", "x", signPackage(keys.secretKey, "x")));
    EXPECT_EQ(signPackage("not a key", "x"), "");
}

} // namespace
} // namespace ssq::update
