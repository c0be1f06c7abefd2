// The rule that only one copy of the program runs at a time.
#include "app/SingleInstance.h"

#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

SingleInstanceLock::~SingleInstanceLock() {
#ifdef _WIN32
    if (m_handle)
        CloseHandle(m_handle);
#else
    if (m_fd >= 0)
        close(m_fd);
#endif
}

LockResult SingleInstanceLock::Acquire(const std::filesystem::path& lockFile) {
    std::error_code error;
    std::filesystem::create_directories(lockFile.parent_path(), error);
#ifdef _WIN32
    // No sharing: a second open fails while the first process holds the handle.
    HANDLE handle = CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_SHARING_VIOLATION ? LockResult::HeldElsewhere : LockResult::Unavailable;
    m_handle = handle;
    return LockResult::Acquired;
#else
    int fd = open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    // A lock file left in a folder that has become read-only still locks.
    if (fd < 0)
        fd = open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return LockResult::Unavailable;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool held = errno == EWOULDBLOCK;
        close(fd);
        return held ? LockResult::HeldElsewhere : LockResult::Unavailable;
    }
    m_fd = fd;
    return LockResult::Acquired;
#endif
}

LockResult SingleInstanceLock::AcquireFor(const std::filesystem::path& folder, const std::string& name) {
    const LockResult result = Acquire(folder / name);
    return result == LockResult::Unavailable ? Acquire(RuntimeLockFile(folder, name)) : result;
}

std::filesystem::path SingleInstanceLock::RuntimeLockFile(const std::filesystem::path& folder,
                                                          const std::string& name) {
    std::error_code error;
    std::filesystem::path runtime;
    if (const char* xdg = std::getenv("XDG_RUNTIME_DIR"); xdg && *xdg)
        runtime = xdg;
    else
        runtime = std::filesystem::temp_directory_path(error);
    if (runtime.empty())
        runtime = "/tmp";
    // Copies of different folders must not lock each other out: the name
    // carries a hash (FNV-1a) of the folder's absolute path.
    const std::string key = std::filesystem::absolute(folder, error).lexically_normal().string();
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : key)
        hash = (hash ^ c) * 1099511628211ull;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    return runtime / (std::filesystem::path(name).stem().string() + "-" + hex + ".lock");
}
