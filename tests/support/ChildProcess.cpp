// A helper program that a test starts and that ends with the test.
#include "support/ChildProcess.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0)
        m_pid = pid;
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
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (m_output.find(marker) == std::string::npos) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (m_outputPipe < 0 || left.count() <= 0)
            return false;
        pollfd readable{m_outputPipe, POLLIN, 0};
        if (poll(&readable, 1, static_cast<int>(left.count())) <= 0)
            continue;
        char buffer[512];
        ssize_t count = read(m_outputPipe, buffer, sizeof buffer);
        if (count <= 0)
            return false;
        m_output.append(buffer, static_cast<size_t>(count));
    }
    return true;
}

int ChildProcess::WaitForExit(int timeoutMs) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    // The output ends when the process does (unless it handed the pipe on).
    WaitForOutput(std::string(1, '\0') + "end of output", timeoutMs);
    int status = 0;
    while (m_pid > 0 && waitpid(m_pid, &status, WNOHANG) != m_pid) {
        if (std::chrono::steady_clock::now() >= deadline) {
            Kill();
            return -1;
        }
        usleep(1000);
    }
    if (m_pid <= 0)
        return -1;
    m_pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ChildProcess::Kill(int signal) {
    if (m_pid <= 0)
        return;
    kill(m_pid, signal);
    int status = 0;
    while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
    m_pid = -1;
}

bool ChildProcess::OnPath(const std::string& program) {
    return std::system(("command -v '" + program + "' >/dev/null 2>&1").c_str()) == 0;
}
