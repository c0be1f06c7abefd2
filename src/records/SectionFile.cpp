// Loading a section file into the record list and saving the list back.
#include "records/SectionFile.h"

#include "app/FileBytes.h"
#include "records/SectionBackups.h"
#include "records/SectionFormat.h"
#include "records/Sections.h"

#include <optional>
#include <string>

std::vector<SectionRecord> g_records;

namespace {

// One packet header with length 0 and the end marker: what the handheld sends
// for a section without records.
std::string EmptySectionFile(int section) { return {SectionLetter(section), '\0', '\0', '\0', kMarkerLastPacket}; }

} // namespace

LoadResult LoadSection(int section, const ConfirmCreateSection& confirmCreate, const std::filesystem::path& dir,
                       std::vector<std::size_t>* shortened) {
    if (!IsRecordSection(section))
        return LoadResult::Failed;
    const std::filesystem::path path = GetSectionFileName(section, dir);
    std::optional<std::string> bytes = ReadFileBytes(path);
    std::error_code error;
    if (!bytes && std::filesystem::exists(path, error))
        return LoadResult::Failed; // there but unreadable: never replaced by an empty one
    if (!bytes || bytes->size() < kPacketHeaderSize) {
        if (!confirmCreate || !confirmCreate())
            return LoadResult::Declined;
        bytes = EmptySectionFile(section);
        if (!ReplaceSectionFile(path, *bytes))
            return LoadResult::Failed;
    }
    SectionRecord converter;
    SectionReadResult read = ReadSectionBytes(*bytes, section, converter);
    g_records = std::move(read.records);
    if (shortened)
        *shortened = std::move(read.shortened);
    return read.damaged ? LoadResult::Damaged : LoadResult::Loaded;
}

bool SaveSection(int section, const std::filesystem::path& dir) {
    if (!IsRecordSection(section))
        return false;
    SectionRecord converter;
    std::optional<std::string> bytes = WriteSectionBytes(g_records, section, converter);
    return bytes && ReplaceSectionFile(GetSectionFileName(section, dir), *bytes);
}
