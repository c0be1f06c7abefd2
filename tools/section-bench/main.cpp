// Benchmark: load, list and save the largest section files the format allows,
// export them to and import them from the other programs' formats, and print
// the times.
#include "kl840t/RecordLines.h"
#include "records/Interchange.h"
#include "records/SectionFile.h"
#include "records/SectionFormat.h"
#include "records/Sections.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

// The packet number is one byte, so a file holds at most 256 numbered packets;
// each carries at most 2396 record bytes.
constexpr int kPackets = 256;
constexpr std::size_t kFullBody = kPacketBodyLimit + 2;

// PC text of the given length on the handheld: capitals, umlauts and Cyrillic,
// a line break (one byte there, CR LF here) every 40 characters.
std::string Text(std::size_t handheldLength, std::size_t seed) {
    static const std::string kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ \x80\x81\x82\x83"
                                         "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
                                         "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xDF\xA8";
    std::string text;
    for (std::size_t i = 0; i < handheldLength; ++i)
        text += i % 40 == 39 ? std::string("\r\n") : std::string(1, kAlphabet[(seed + i * 7) % kAlphabet.size()]);
    return text;
}

// A record whose data takes the given number of bytes on the handheld.
SectionRecord Record(int section, std::size_t dataLength, std::size_t seed) {
    SectionRecord record("", "");
    record.m_nLocked = seed % 5 == 0;
    if (section == kSectionSchedule) {
        char date[16], times[32];
        std::snprintf(date, sizeof date, "%02zu/%02zu/%04zu", seed % 28 + 1, seed % 12 + 1, 1990 + seed % 60);
        std::snprintf(times, sizeof times, "%02zu:%02zu:00 - %02zu:%02zu:00", seed % 24, seed % 60, (seed + 1) % 24,
                      (seed + 7) % 60);
        record.m_lstFields = {date, times, Text(dataLength - 11, seed)};
        return record;
    }
    const std::size_t fields = SectionFieldCount(section);
    std::size_t textLength = dataLength - 1 - fields;
    for (std::size_t f = 0; f < fields; ++f) {
        const std::size_t length = f + 1 == fields ? textLength : textLength / (fields - f);
        record.m_lstFields.push_back(Text(length, seed + f));
        textLength -= length;
    }
    return record;
}

// Records of the given data lengths, one packet's worth repeated for every packet.
std::vector<SectionRecord> Records(int section, const std::vector<std::size_t>& packetLengths) {
    std::vector<SectionRecord> records;
    for (int p = 0; p < kPackets; ++p)
        for (std::size_t length : packetLengths)
            records.push_back(Record(section, length, records.size()));
    return records;
}

// Ten records filling a packet body to the last byte: the largest file.
std::vector<std::size_t> FullestPacket() {
    const std::size_t dataBytes = kFullBody - 2 * 10;
    std::vector<std::size_t> lengths(10, dataBytes / 10);
    for (std::size_t i = 0; i < dataBytes % 10; ++i)
        ++lengths[i];
    return lengths;
}

// As many of the shortest records as a packet takes: the most records.
std::vector<std::size_t> ShortestRecords(int section) {
    const std::size_t length = section == kSectionSchedule ? 11 : 1 + SectionFieldCount(section);
    return std::vector<std::size_t>((kPacketBodyLimit - length) / (length + 2) + 1, length);
}

double MedianMilliseconds(const std::function<void()>& run) {
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Measure(const char* name, const char* shape, int section, std::vector<SectionRecord> records,
             const std::filesystem::path& dir) {
    const std::size_t count = records.size();
    const double save = MedianMilliseconds([&] {
        g_records = records;
        if (!SaveSection(section, dir))
            std::abort();
    });
    const double load = MedianMilliseconds([&] {
        if (LoadSection(section, nullptr, dir) != LoadResult::Loaded || g_records.size() != count)
            std::abort();
    });
    std::size_t listed = 0;
    const double list = MedianMilliseconds([&] {
        std::string out;
        for (const SectionRecord& record : g_records)
            (out += FormatRecordLine(record, section)) += '\n';
        listed = out.size();
    });
    std::printf("%-10s %-9s %8zu bytes %7zu records  load %8.1f ms  list %8.1f ms (%zu bytes)  save %8.1f ms\n", name,
                shape, static_cast<std::size_t>(std::filesystem::file_size(GetSectionFileName(section, dir))), count,
                load, list, listed, save);
}

// Export and import of the records in every format that carries the section.
void MeasureInterchange(int section, const std::vector<SectionRecord>& records) {
    for (InterchangeFormat format : {InterchangeFormat::VCard, InterchangeFormat::ICalendar, InterchangeFormat::Csv}) {
        if (!InterchangeFormatFits(format, section))
            continue;
        std::string file;
        const double exported = MedianMilliseconds([&] { file = ExportRecords(records, section, format); });
        std::size_t imported = 0;
        const double import = MedianMilliseconds([&] {
            const ImportResult result = ImportRecords(file, section, format);
            if (!result.error.empty())
                std::abort();
            imported = result.records.size();
        });
        std::printf("%22s%-4s %9zu bytes  export %8.1f ms  import %8.1f ms (%zu records)\n", "",
                    InterchangeExtension(format), file.size(), exported, import, imported);
    }
}

} // namespace

int main() {
    const std::filesystem::path root = std::filesystem::temp_directory_path() / "kl840t-section-bench";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "home");
    setenv("KL840T_HOME", (root / "home").c_str(), 1);
    std::filesystem::copy_file(KL840T_DELIVERED_PROFILE, root / "home" / "kl840t-link.ini");

    static constexpr std::pair<const char*, int> kSections[] = {
        {"telephone", kSectionTelephone},
        {"schedule", kSectionSchedule},
        {"er-dict", kSectionGermanRussian},
        {"re-dict", kSectionRussianGerman},
    };
    std::printf("median of 5 runs; %d packets per file\n", kPackets);
    for (auto [name, section] : kSections) {
        const std::vector<SectionRecord> largest = Records(section, FullestPacket());
        const std::vector<SectionRecord> most = Records(section, ShortestRecords(section));
        Measure(name, "largest", section, largest, root);
        MeasureInterchange(section, largest);
        Measure(name, "most", section, most, root);
        MeasureInterchange(section, most);
    }
    std::filesystem::remove_all(root);
    return 0;
}
