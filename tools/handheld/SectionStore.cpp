// The handheld's memory on disk: one section file per letter in a directory.
#include "handheld/SectionStore.h"

#include "handheld/SectionPackets.h"

#include <filesystem>
#include <fstream>
#include <iterator>

std::map<char, std::string> LoadSectionFiles(const std::string& directory) {
    std::map<char, std::string> sections;
    for (const SectionName& name : SectionNames()) {
        std::ifstream file(std::filesystem::path(directory) / name.fileName, std::ios::binary);
        if (!file)
            continue;
        std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        if (!file.bad())
            sections[name.letter] = std::move(bytes);
    }
    return sections;
}

bool SaveSectionFile(const std::string& directory, char letter, const std::string& bytes) {
    const SectionName* name = SectionByLetter(letter);
    if (!name)
        return false;
    const std::filesystem::path target = std::filesystem::path(directory) / name->fileName;
    std::filesystem::path temporary = target;
    temporary += ".new";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    return !error;
}
