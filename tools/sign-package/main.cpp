// ssq-sign-package: makes the publisher's key pair and signs update packages.
//
//   ssq-sign-package keygen SECRET_FILE PUBLIC_FILE
//       writes a new key pair: the secret key (mode 0600; never overwrites a
//       file) and the public key, each as one line of base64. The public key
//       is what a build is given as SSQ_UPDATE_PUBLIC_KEY.
//   ssq-sign-package sign SECRET_FILE PACKAGE
//       prints the package's signature, the value of the manifest's 签名.
//   ssq-sign-package verify PUBLIC_FILE PACKAGE SIGNATURE
//       exit code 0 when SIGNATURE is the key's signature of PACKAGE.
//
// Exit codes: 0 done, 1 a signature that does not verify, 2 wrong use or a
// file that cannot be read or written.

#include "platform/file_io.h"
#include "update/package_signature.h"

#include <fcntl.h>

#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace {

std::optional<std::string> readWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return bytes;
}

bool writeNew(const fs::path& file, const std::string& line, mode_t mode) {
    ssq::platform::FileDescriptor fd = ssq::platform::createFile(file, mode, /*exclusive=*/true);
    return fd.isOpen() && ssq::platform::writeAll(fd.get(), line.data(), line.size()) &&
           ssq::platform::finishFile(fd, mode);
}

int usage() {
    std::cerr << "usage: ssq-sign-package keygen SECRET_FILE PUBLIC_FILE\n"
                 "       ssq-sign-package sign SECRET_FILE PACKAGE\n"
                 "       ssq-sign-package verify PUBLIC_FILE PACKAGE SIGNATURE\n";
    return 2;
}

int cannot(const char* what, const char* file) {
    std::cerr << "ssq-sign-package: cannot " << what << " " << file << "\n";
    return 2;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 4 && std::strcmp(argv[1], "keygen") == 0) {
        const ssq::update::SigningKeys keys = ssq::update::generateSigningKeys();
        if (!writeNew(argv[2], keys.secretKey + "\n", 0600))
            return cannot("write a new secret key file", argv[2]);
        std::error_code ec;
        fs::remove(argv[3], ec);
        if (!writeNew(argv[3], keys.publicKey + "\n", 0644))
            return cannot("write", argv[3]);
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "sign") == 0) {
        const auto secret = readWhole(argv[2]);
        if (!secret)
            return cannot("read", argv[2]);
        const auto package = readWhole(argv[3]);
        if (!package)
            return cannot("read", argv[3]);
        const std::string signature = ssq::update::signPackage(*secret, *package);
        if (signature.empty()) {
            std::cerr << "ssq-sign-package: " << argv[2] << " holds no secret key\n";
            return 2;
        }
        std::cout << signature << "\n";
        return 0;
    }
    if (argc == 5 && std::strcmp(argv[1], "verify") == 0) {
        const auto publicKey = readWhole(argv[2]);
        if (!publicKey)
            return cannot("read", argv[2]);
        const auto package = readWhole(argv[3]);
        if (!package)
            return cannot("read", argv[3]);
        const bool good = ssq::update::verifyPackage(*publicKey, *package, argv[4]);
        std::cout << (good ? "good signature\n" : "BAD signature\n");
        return good ? 0 : 1;
    }
    return usage();
}
