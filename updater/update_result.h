#pragma once
// What each step of an update reports: success, or which kind of failure and
// the file, entry or transfer error it concerns.

#include <string>

namespace ssq::updater {

enum class Failure {
    None,
    Download,    // no connection, an error status, a broken transfer
    Signature,   // no signature, or one that is not the publisher's for these exact bytes
    Damaged,     // not a ZIP archive, or an entry that does not read back intact
    UnsafeEntry, // an absolute path, a ".." component, a link or another special file
    TooLarge,    // more than kMaxUnpackedBytes unpacked
    Install,     // a program file could not be written or replaced
};

struct Result {
    Failure failure = Failure::None;
    std::string detail; // the entry or file concerned, or the transfer error (UTF-8)
    explicit operator bool() const { return failure == Failure::None; }
};

inline Result fail(Failure failure, std::string detail = {}) {
    return Result{failure, std::move(detail)};
}

} // namespace ssq::updater
