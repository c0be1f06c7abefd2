// Replacing a file so that it is never left half-written.
#include "app/AtomicFile.h"

#include <fstream>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

#ifndef _WIN32
bool Sync(const std::filesystem::path& path, int flags) {
    const int fd = open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = fsync(fd) == 0;
    return close(fd) == 0 && synced;
}
#endif

} // namespace

bool SyncFile(const std::filesystem::path& path) {
#ifdef _WIN32
    (void)path;
    return true;
#else
    return Sync(path, O_RDONLY);
#endif
}

bool SyncDirectory(const std::filesystem::path& dir) {
#ifdef _WIN32
    (void)dir;
    return true;
#else
    return Sync(dir.empty() ? std::filesystem::path(".") : dir, O_RDONLY | O_DIRECTORY);
#endif
}

bool ReplaceFile(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::error_code error;
    std::filesystem::rename(source, target, error);
    if (error)
        return false;
    // The rename has happened; a folder that cannot be synced changes nothing about that.
    SyncDirectory(target.parent_path());
    return true;
}

namespace {

// A device, a pipe or a terminal named as the target takes the bytes as they
// come: renaming a file over it would put an ordinary file in its place.
bool WriteInPlace(const std::filesystem::path& target, std::string_view bytes) {
    std::ofstream out(target, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace

bool WriteFileAtomically(const std::filesystem::path& named, std::string_view bytes) {
    std::error_code error;
    // A symbolic link stays a link: the file it points to is the one replaced.
    // (A missing file is no error here: the status calls report it as one.)
    std::filesystem::path target = named;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(named, error))) {
        target = std::filesystem::weakly_canonical(named, error);
        if (error)
            return false;
    }
    const auto status = std::filesystem::status(target, error);
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        return !std::filesystem::is_directory(status) && WriteInPlace(target, bytes);
    error.clear();
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), error);
    std::filesystem::path temporary = target;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out || !SyncFile(temporary)) {
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    if (!ReplaceFile(temporary, target)) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}
