// Loading a section file into the record list and saving the list back.
#include "records/SectionFile.h"

#include "app/AtomicFile.h"
#include "records/SectionFormat.h"
#include "records/Sections.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

std::vector<SectionRecord> g_records;

namespace {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return std::nullopt;
    return bytes;
}

// One packet header with length 0 and the end marker: what the handheld sends
// for a section without records.
std::string EmptySectionFile(int section) {
    return {SectionLetter(section), '\0', '\0', '\0', kMarkerLastPacket};
}

} // namespace

LoadResult LoadSection(int section, const ConfirmCreateSection& confirmCreate, const std::filesystem::path& dir) {
    if (!IsRecordSection(section))
        return LoadResult::Failed;
    const std::filesystem::path path = GetSectionFileName(section, dir);
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes || bytes->size() < kPacketHeaderSize) {
        if (!confirmCreate || !confirmCreate())
            return LoadResult::Declined;
        bytes = EmptySectionFile(section);
        if (!WriteFileAtomically(path, *bytes))
            return LoadResult::Failed;
    }
    SectionRecord converter;
    SectionReadResult read = ReadSectionBytes(*bytes, section, converter);
    g_records = std::move(read.records);
    return read.damaged ? LoadResult::Damaged : LoadResult::Loaded;
}

bool SaveSection(int section, const std::filesystem::path& dir) {
    if (!IsRecordSection(section))
        return false;
    SectionRecord converter;
    std::optional<std::string> bytes = WriteSectionBytes(g_records, section, converter);
    return bytes && WriteFileAtomically(GetSectionFileName(section, dir), *bytes);
}
