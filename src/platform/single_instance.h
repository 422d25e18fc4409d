#pragma once
// The single-instance marker: a name that exists while one instance of the
// program runs and goes away with its process, however that process ends.

#include <QString>

#include <memory>

class QLocalServer;

namespace ssq::platform {

class SingleInstanceGuard {
public:
    // `marker` names the instance (the program uses its executable's file
    // name). The marker is per user: other users' instances never count, and
    // another user who takes the name first cannot keep the program from
    // starting.
    explicit SingleInstanceGuard(QString marker);
    ~SingleInstanceGuard(); // releases the marker if this guard holds it
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    enum class Result {
        First,          // this guard now holds the marker
        AlreadyRunning, // another live instance holds it
        Unguarded,      // the marker could not be set up; go on as the first
    };

    // Claims the marker. Only a marker held by another live instance of the
    // same user refuses; a marker another user holds, or any other failure,
    // lets the caller start without a marker.
    Result claim();
    bool holds() const;

    // The abstract socket name the marker takes for this user.
    static QString address(const QString& marker);

private:
    QString m_marker;
    std::unique_ptr<QLocalServer> m_server;
};

} // namespace ssq::platform
