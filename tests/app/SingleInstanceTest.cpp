// Only one copy runs, and a crashed copy never blocks the next.
#include "app/SingleInstance.h"

#include "support/TempHome.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using SingleInstanceTest = TempHomeTest;

TEST_F(SingleInstanceTest, SecondHolderIsRefusedUntilTheFirstIsGone) {
    auto file = m_temp.Home() / "lock";
    auto first = std::make_unique<SingleInstanceLock>();
    ASSERT_TRUE(first->Acquire(file));
    SingleInstanceLock second;
    EXPECT_FALSE(second.Acquire(file));
    first.reset();
    EXPECT_TRUE(second.Acquire(file));
}

TEST_F(SingleInstanceTest, KilledHolderReleasesTheLock) {
    auto file = m_temp.Home() / "lock";
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        SingleInstanceLock lock;
        char ok = lock.Acquire(file) ? '1' : '0';
        (void)!write(ready[1], &ok, 1);
        pause();
        _exit(0);
    }
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, '1');
    SingleInstanceLock mine;
    EXPECT_FALSE(mine.Acquire(file));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    EXPECT_TRUE(mine.Acquire(file));
    close(ready[0]);
    close(ready[1]);
}

} // namespace
