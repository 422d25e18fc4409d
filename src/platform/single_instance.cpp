#include "platform/single_instance.h"

#include <QCryptographicHash>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>

#include <sys/socket.h>
#include <unistd.h>

namespace ssq::platform {
namespace {

// Linux: a listening socket in the abstract namespace. The kernel drops the
// name when the last descriptor closes, so a crashed instance never leaves a
// stale marker behind, and nothing is written to the file system.
//
// The name is absolute so that Qt takes it as it stands: a relative name would
// be placed under the temporary folder, and two starts with different TMPDIR
// settings would then miss each other. The user id makes the marker per user,
// since the abstract namespace is shared by every user of the machine.
QString socketName(const QString& marker) {
    QString name = QStringLiteral("/ssq-single-instance/%1/%2").arg(::getuid()).arg(marker);
    // An abstract address holds at most 107 bytes; a long file name is
    // replaced by its hash rather than letting the marker fail.
    constexpr qsizetype kMaxAddress = 100;
    if (QFile::encodeName(name).size() > kMaxAddress) {
        const QByteArray hash =
            QCryptographicHash::hash(marker.toUtf8(), QCryptographicHash::Sha1).toHex();
        name = QStringLiteral("/ssq-single-instance/%1/%2")
                   .arg(::getuid())
                   .arg(QString::fromLatin1(hash));
    }
    return name;
}

// Whether the listener on the name belongs to this user. Any user can bind
// any abstract name, so a name held by someone else says nothing about this
// user's instances; the kernel reports who created the listening socket.
bool heldByThisUser(const QString& name) {
    QLocalSocket probe;
    probe.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    probe.connectToServer(name);
    if (!probe.waitForConnected(1000))
        return false;
    ucred peer{};
    socklen_t size = sizeof peer;
    const bool known = ::getsockopt(static_cast<int>(probe.socketDescriptor()), SOL_SOCKET,
                                    SO_PEERCRED, &peer, &size) == 0;
    probe.abort();
    return known && peer.uid == ::getuid();
}

} // namespace

SingleInstanceGuard::SingleInstanceGuard(QString marker) : m_marker(std::move(marker)) {}

SingleInstanceGuard::~SingleInstanceGuard() = default;

SingleInstanceGuard::Result SingleInstanceGuard::claim() {
    if (holds())
        return Result::First;
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
    const QString name = address(m_marker);
    if (server->listen(name)) {
        m_server = std::move(server);
        return Result::First;
    }
    if (server->serverError() != QAbstractSocket::AddressInUseError)
        return Result::Unguarded;
    // Only this user's own instance refuses the start; a name taken by
    // another user (or a holder that cannot be asked) leaves this one to run
    // without a marker.
    return heldByThisUser(name) ? Result::AlreadyRunning : Result::Unguarded;
}

QString SingleInstanceGuard::address(const QString& marker) {
    return socketName(marker);
}

bool SingleInstanceGuard::holds() const {
    return m_server && m_server->isListening();
}

} // namespace ssq::platform
