// Reading a whole file as bytes, without ever letting a read error escape.
#include "app/FileBytes.h"

#include <fstream>

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path, std::size_t maxSize) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    // istream::read turns a failing read of the file buffer into badbit; an
    // iterator over the buffer would let the library's exception through.
    std::string bytes;
    char buffer[65536];
    while (bytes.size() < maxSize) {
        in.read(buffer, static_cast<std::streamsize>(std::min(sizeof buffer, maxSize - bytes.size())));
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (!in)
            break;
    }
    if (in.bad())
        return std::nullopt;
    return bytes;
}
