// The handheld's memory on disk: one section file per letter in a directory.
#include "handheld/SectionStore.h"

#include "handheld/SectionPackets.h"

#include "app/AtomicFile.h"
#include "app/FileBytes.h"

#include <filesystem>
#include <optional>

std::map<char, std::string> LoadSectionFiles(const std::string& directory) {
    std::map<char, std::string> sections;
    for (const SectionName& name : SectionNames()) {
        if (std::optional<std::string> bytes = ReadFileBytes(std::filesystem::path(directory) / name.fileName))
            sections[name.letter] = std::move(*bytes);
    }
    return sections;
}

bool SaveSectionFile(const std::string& directory, char letter, const std::string& bytes) {
    const SectionName* name = SectionByLetter(letter);
    return name && WriteFileAtomically(std::filesystem::path(directory) / name->fileName, bytes);
}
