// A helper program that a test starts and that ends with the test.
#include "support/ChildProcess.h"

#include "support/PollUntil.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

ChildProcess::ChildProcess(const std::vector<std::string>& arguments, bool captureOutput) {
    int pipeEnds[2] = {-1, -1};
    if (captureOutput && pipe2(pipeEnds, O_CLOEXEC) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (captureOutput) {
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 2);
    }

    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    if (posix_spawnp(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        m_pid = -1;
    posix_spawn_file_actions_destroy(&actions);

    if (captureOutput) {
        close(pipeEnds[1]);
        m_outputPipe = pipeEnds[0];
    }
}

ChildProcess::~ChildProcess() {
    Kill();
    if (m_outputPipe >= 0)
        close(m_outputPipe);
}

bool ChildProcess::WaitForOutput(const std::string& marker, int timeoutMs) {
    return ReadUntil(
        m_outputPipe, m_output, [&] { return m_output.find(marker) == std::string::npos ? 512 : 0; }, timeoutMs);
}

int ChildProcess::WaitForExit(int timeoutMs) {
    // The output ends when the process does (unless it handed the pipe on).
    WaitForOutput(std::string(1, '\0') + "end of output", timeoutMs);
    int status = 0;
    if (m_pid <= 0 || !PollUntil([&] { return waitpid(m_pid, &status, WNOHANG) == m_pid; }, timeoutMs)) {
        Kill();
        return -1;
    }
    m_pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ChildProcess::Kill(int signal) {
    if (m_pid <= 0)
        return;
    kill(m_pid, signal);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}

bool ChildProcess::OnPath(const std::string& program) {
    return std::system(("command -v '" + program + "' >/dev/null 2>&1").c_str()) == 0;
}

std::string OutputOf(const std::vector<std::string>& arguments, int status) {
    ChildProcess process(arguments, true);
    EXPECT_EQ(process.WaitForExit(20000), status) << testing::PrintToString(arguments) << process.Output();
    return process.Output();
}
