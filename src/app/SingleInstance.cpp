// The rule that only one copy of the program runs at a time.
#include "app/SingleInstance.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
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

bool SingleInstanceLock::Acquire(const std::filesystem::path& lockFile) {
    std::error_code error;
    std::filesystem::create_directories(lockFile.parent_path(), error);
#ifdef _WIN32
    // No sharing: a second open fails while the first process holds the handle.
    HANDLE handle = CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    m_handle = handle;
    return true;
#else
    int fd = open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;
    }
    m_fd = fd;
    return true;
#endif
}
