// Replacing a file so that it is never left half-written.
#include "app/AtomicFile.h"

#include <fstream>
#include <system_error>

bool ReplaceFile(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::error_code error;
    std::filesystem::rename(source, target, error);
    return !error;
}

bool WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes) {
    std::error_code error;
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), error);
    std::filesystem::path temporary = target;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
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
