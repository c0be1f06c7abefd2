// The program as a process: one copy at a time, and a killed copy does not
// block the next.
#include "support/TempHome.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace {

class ProgramTest : public TempHomeTest {
protected:
    void Start(QProcess& process) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        process.setProcessEnvironment(environment);
        process.start(KL840T_BINARY_DIR "/src/app/kl840t-link", {});
        ASSERT_TRUE(process.waitForStarted());
    }

    // The running copy holds the lock file once its window is up.
    bool WaitForLock() {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 20000) {
            if (std::filesystem::exists(m_temp.Home() / "kl840t-link.lock"))
                return true;
            QThread::msleep(20);
        }
        return false;
    }
};

TEST_F(ProgramTest, ASecondCopyExitsAtOnceAndAKilledCopyDoesNotBlockTheNext) {
    m_temp.InstallDeliveredProfile();
    QProcess first;
    Start(first);
    ASSERT_TRUE(WaitForLock());
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

} // namespace
