// Fuzz target: the vCard, CSV and iCalendar imports must take any bytes without a fault, give
// records only for a file they read whole, and fit every field to what the handheld holds.
#include "records/EditorLayout.h"
#include "records/Interchange.h"
#include "records/Sections.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

// The first byte picks the format and the section; the rest is the file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static constexpr InterchangeFormat kFormats[] = {InterchangeFormat::VCard, InterchangeFormat::ICalendar,
                                                     InterchangeFormat::Csv};
    const InterchangeFormat format = kFormats[data[0] % 3];
    const int section = format == InterchangeFormat::VCard       ? kSectionTelephone
                        : format == InterchangeFormat::ICalendar ? kSectionSchedule
                                                                 : kSectionTelephone + data[0] / 3 % 4;
    const std::string_view file(reinterpret_cast<const char*>(data) + 1, size - 1);
    const ImportResult result = ImportRecords(file, section, format);
    if (!result.error.empty() && !result.records.empty())
        std::abort();
    for (const SectionRecord& record : result.records) {
        if (record.m_lstFields.size() != static_cast<std::size_t>(SectionFieldCount(section)))
            std::abort();
        for (int f = 0; f < SectionFieldCount(section); ++f) {
            const int limit = FieldLengthLimit(section, f);
            if (limit && record.m_lstFields[static_cast<std::size_t>(f)].size() > static_cast<std::size_t>(limit))
                std::abort();
        }
    }
    // What was read goes out and back in unchanged.
    const ImportResult again = ImportRecords(ExportRecords(result.records, section, format), section, format);
    if (!again.error.empty() || again.records.size() != result.records.size())
        std::abort();
    return 0;
}
