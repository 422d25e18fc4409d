// The single-instance marker: a second guard of the same user is refused, the
// marker goes with its holder, and a listener another user put on the name
// first does not keep the program from starting.

#include "platform/single_instance.h"

#include <QLocalServer>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using ssq::platform::SingleInstanceGuard;
using Result = SingleInstanceGuard::Result;

namespace {

QString uniqueMarker(const char* what) {
    return QStringLiteral("guard-test-%1-%2.exe").arg(::getpid()).arg(QLatin1String(what));
}

} // namespace

TEST(SingleInstanceGuard, SecondClaimOfTheSameUserIsRefusedUntilTheFirstEnds) {
    const QString marker = uniqueMarker("same");
    auto first = std::make_unique<SingleInstanceGuard>(marker);
    ASSERT_EQ(first->claim(), Result::First);
    EXPECT_TRUE(first->holds());

    SingleInstanceGuard second(marker);
    EXPECT_EQ(second.claim(), Result::AlreadyRunning);
    EXPECT_FALSE(second.holds());
    EXPECT_EQ(SingleInstanceGuard(uniqueMarker("other name")).claim(), Result::First);

    first.reset();
    EXPECT_EQ(second.claim(), Result::First);
}

TEST(SingleInstanceGuard, NameTakenByAnotherUserDoesNotRefuse) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to listen as another user";
    const QString marker = uniqueMarker("squatted");
    const QString name = SingleInstanceGuard::address(marker); // this user's name
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t squatter = ::fork();
    ASSERT_GE(squatter, 0);
    if (squatter == 0) {
        // Another local user ("nobody") binds this user's marker name first.
        char ok = 0;
        if (::setgid(65534) == 0 && ::setuid(65534) == 0) {
            QLocalServer server;
            server.setSocketOptions(QLocalServer::AbstractNamespaceOption);
            ok = server.listen(name) ? 1 : 0;
            (void)!::write(ready[1], &ok, 1);
            if (ok)
                ::pause();
        } else {
            (void)!::write(ready[1], &ok, 1);
        }
        ::_exit(0);
    }
    char ok = 0;
    ASSERT_EQ(::read(ready[0], &ok, 1), 1);
    ::close(ready[0]);
    ::close(ready[1]);

    SingleInstanceGuard guard(marker);
    const Result result = guard.claim();
    ::kill(squatter, SIGKILL);
    ::waitpid(squatter, nullptr, 0);
    ASSERT_EQ(ok, 1) << "the other user could not take the name";
    EXPECT_EQ(result, Result::Unguarded);
}
