// The rule that only one copy of the program runs at a time.
#pragma once

#include <filesystem>

// Holds an exclusive lock on a file for as long as the object lives. The
// operating system drops the lock when the process ends, however it ends, so a
// crashed copy never keeps the next one from starting.
class SingleInstanceLock {
public:
    SingleInstanceLock() = default;
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // True when this process is now the only holder. The lock file is created
    // when missing and otherwise left untouched.
    bool Acquire(const std::filesystem::path& lockFile);

private:
#ifdef _WIN32
    void* m_handle = nullptr;
#else
    int m_fd = -1;
#endif
};
