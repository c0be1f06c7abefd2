// The rule that only one copy of the program runs at a time.
#pragma once

#include <filesystem>
#include <string>

enum class LockResult {
    Acquired,      // this process is now the only holder
    HeldElsewhere, // another copy holds the lock
    Unavailable,   // no lock file could be made or opened
};

// Holds an exclusive lock on a file for as long as the object lives. The
// operating system drops the lock when the process ends, however it ends, so a
// crashed copy never keeps the next one from starting.
class SingleInstanceLock {
public:
    SingleInstanceLock() = default;
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // The lock file is created when missing and otherwise left untouched.
    LockResult Acquire(const std::filesystem::path& lockFile);

    // The lock of the copies that share a folder: the file `name` in it, or,
    // when nothing can be created there (a read-only folder), a file in the
    // runtime folder ($XDG_RUNTIME_DIR, else the temporary folder) whose name
    // stands for that folder.
    LockResult AcquireFor(const std::filesystem::path& folder, const std::string& name);
    static std::filesystem::path RuntimeLockFile(const std::filesystem::path& folder, const std::string& name);

private:
#ifdef _WIN32
    void* m_handle = nullptr;
#else
    int m_fd = -1;
#endif
};
