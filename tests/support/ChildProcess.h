// A helper program that a test starts and that ends with the test.
#pragma once

#include <string>
#include <vector>

// Runs a program found on PATH, its standard input from /dev/null. Its output
// and error output can be kept in one pipe for the test to read; the process
// is killed when the object goes.
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& arguments, bool captureOutput);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Reads the output until it holds a line containing `marker` or the
    // time runs out; everything read so far is in Output().
    bool WaitForOutput(const std::string& marker, int timeoutMs);
    const std::string& Output() const { return m_output; }
    // Reads its output until it ends and gives its exit status; -1 when it
    // did not end in time (it is then killed) or ended by a signal.
    int WaitForExit(int timeoutMs);
    // Ends the process (SIGTERM unless told) and waits for it; harmless when
    // already ended.
    void Kill(int signal = 15);

    static bool OnPath(const std::string& program);

private:
    int m_pid = -1;
    int m_outputPipe = -1;
    std::string m_output;
};

// Runs a program to its end and gives its output and error output; a failure
// of the test unless it ends in time with `status`.
std::string OutputOf(const std::vector<std::string>& arguments, int status = 0);
