// The program as a process: one copy at a time, and a killed copy does not
// block the next.
#include "support/PollUntil.h"
#include "support/TempHome.h"

#include <QProcess>
#include <QThread>

#include <csignal>

namespace {

// The copy runs on the test's platform and in its home, both taken from the
// test's environment.
void Start(QProcess& process) {
    process.start(KL840T_BINARY_DIR "/src/app/kl840t-link", {});
    ASSERT_TRUE(process.waitForStarted());
}

using ProgramTest = TempHomeTest;

} // namespace

TEST_F(ProgramTest, ASecondCopyExitsAtOnceAndAKilledCopyDoesNotBlockTheNext) {
    m_temp.InstallDeliveredProfile();
    QProcess first;
    Start(first);
    // The running copy holds the lock file once its window is up.
    ASSERT_TRUE(PollUntil([&] { return std::filesystem::exists(m_temp.Home() / "kl840t-link.lock"); }, 20000));
    QThread::msleep(300);
    ASSERT_EQ(first.state(), QProcess::Running);

    QProcess second;
    Start(second);
    ASSERT_TRUE(second.waitForFinished(10000)) << "the second copy did not end";
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    kill(static_cast<pid_t>(first.processId()), SIGKILL);
    ASSERT_TRUE(first.waitForFinished(10000));

    QProcess third;
    Start(third);
    EXPECT_FALSE(third.waitForFinished(1500)) << "the next copy must start and keep running";
    third.kill();
    third.waitForFinished();
}
