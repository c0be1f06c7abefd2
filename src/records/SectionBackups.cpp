// The old versions of the section files.
#include "records/SectionBackups.h"

#include "app/AtomicFile.h"
#include "app/FileBytes.h"
#include "records/SectionFormat.h"
#include "records/Sections.h"

#include <algorithm>
#include <system_error>

namespace {

std::function<std::time_t()>& BackupClock() {
    static std::function<std::time_t()> clock;
    return clock;
}

std::string StampNow() {
    const std::time_t now = BackupClock() ? BackupClock()() : std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H%M%S", &local);
    return text;
}

constexpr std::size_t kStampLength = 17; // 2026-12-05T183000

bool AllDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "2026-12-05T183000" or "2026-12-05T183000-2".
bool IsStamp(std::string_view s) {
    if (s.size() < kStampLength || s[4] != '-' || s[7] != '-' || s[10] != 'T')
        return false;
    if (!AllDigits(s.substr(0, 4)) || !AllDigits(s.substr(5, 2)) || !AllDigits(s.substr(8, 2)) ||
        !AllDigits(s.substr(11, 6)))
        return false;
    return s.size() == kStampLength ||
           (s[kStampLength] == '-' && s.size() <= kStampLength + 7 && AllDigits(s.substr(kStampLength + 1)));
}

// Stamps of one second sort by their count, "-10" after "-9".
bool OlderStamp(const std::string& a, const std::string& b) {
    auto count = [](const std::string& s) {
        return s.size() > kStampLength ? std::stoul(s.substr(kStampLength + 1)) : 1ul;
    };
    const int base = a.compare(0, kStampLength, b, 0, kStampLength);
    return base != 0 ? base < 0 : count(a) < count(b);
}

std::filesystem::path BackupFolder(const std::filesystem::path& sectionFile) {
    return sectionFile.parent_path() / kBackupFolderName;
}

std::vector<SectionBackup> BackupsOf(const std::filesystem::path& sectionFile) {
    std::vector<SectionBackup> backups;
    const std::string prefix = sectionFile.filename().string() + ".";
    std::error_code error;
    for (std::filesystem::directory_iterator it(BackupFolder(sectionFile), error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0 || !IsStamp(std::string_view(name).substr(prefix.size())))
            continue;
        std::error_code sizeError;
        if (!it->is_regular_file(sizeError))
            continue;
        backups.push_back({name.substr(prefix.size()), it->path(), it->file_size(sizeError)});
    }
    std::sort(backups.begin(), backups.end(),
              [](const SectionBackup& a, const SectionBackup& b) { return OlderStamp(a.stamp, b.stamp); });
    return backups;
}

int SectionOfFile(const std::filesystem::path& sectionFile) {
    const std::string name = sectionFile.filename().string();
    return name.size() == 5 && name.compare(0, 4, "840.") == 0 ? name[4] - '0' + 1 : 0;
}

} // namespace

void SetBackupClock(std::function<std::time_t()> clock) { BackupClock() = std::move(clock); }

bool KeepBackup(const std::filesystem::path& sectionFile, std::optional<std::string_view> newBytes,
                std::string* keptStamp) {
    std::error_code error;
    if (!std::filesystem::exists(sectionFile, error))
        return !error;
    const std::optional<std::string> old = ReadFileBytes(sectionFile);
    if (!old)
        return false;
    if (newBytes && *newBytes == *old)
        return true;
    const std::vector<SectionBackup> backups = BackupsOf(sectionFile);
    if (!backups.empty() && backups.back().bytes == old->size() && ReadFileBytes(backups.back().path) == old)
        return true;

    // The copy is written as any file is replaced, so it is either whole or
    // not there; what a killed copy leaves has a name no listing takes.
    const std::filesystem::path prefix = BackupFolder(sectionFile) / (sectionFile.filename().string() + ".");
    const std::string base = StampNow();
    std::string stamp = base;
    for (int n = 2; std::filesystem::exists(prefix.string() + stamp, error); ++n)
        stamp = base + "-" + std::to_string(n);
    if (!WriteFileAtomically(prefix.string() + stamp, *old))
        return false;
    if (keptStamp)
        *keptStamp = stamp;
    return true;
}

void PruneBackups(const std::filesystem::path& sectionFile) {
    std::error_code error;
    const std::vector<SectionBackup> backups = BackupsOf(sectionFile);
    const int section = SectionOfFile(sectionFile);
    for (std::size_t i = 0; i + kBackupsKept < backups.size(); ++i) {
        const std::optional<std::string> bytes = ReadFileBytes(backups[i].path);
        if (bytes && IsRecordSection(section) && InspectSectionBytes(*bytes, section).damaged)
            continue;
        std::filesystem::remove(backups[i].path, error);
    }
}

bool ReplaceSectionFile(const std::filesystem::path& sectionFile, std::string_view bytes) {
    if (!KeepBackup(sectionFile, bytes) || !WriteFileAtomically(sectionFile, bytes))
        return false;
    PruneBackups(sectionFile);
    return true;
}

bool ReplaceSectionFileWith(const std::filesystem::path& sectionFile, const std::filesystem::path& newFile) {
    const std::optional<std::string> bytes = ReadFileBytes(newFile);
    if (!bytes || !KeepBackup(sectionFile, *bytes) || !ReplaceFile(newFile, sectionFile))
        return false;
    PruneBackups(sectionFile);
    return true;
}

std::vector<SectionBackup> ListBackups(int section, const std::filesystem::path& dir) {
    return BackupsOf(GetSectionFileName(section, dir));
}

SectionShape InspectSectionBytes(std::string_view bytes, int section) {
    SectionRecord converter("", "");
    const SectionReadResult read = ReadSectionBytes(bytes, section, converter);
    return {read.records.size(), read.damaged};
}

RestoreResult RestoreBackup(int section, const std::string& stamp, const std::filesystem::path& dir) {
    RestoreResult result;
    const std::filesystem::path sectionFile = GetSectionFileName(section, dir);
    const std::vector<SectionBackup> backups = BackupsOf(sectionFile);
    auto chosen = stamp.empty() ? (backups.empty() ? backups.end() : backups.end() - 1)
                                : std::find_if(backups.begin(), backups.end(), [&](const SectionBackup& b) {
                                      return b.stamp == stamp || b.path.filename() == stamp;
                                  });
    if (chosen == backups.end())
        return result;
    result.found = true;
    const std::optional<std::string> bytes = ReadFileBytes(chosen->path);
    if (!bytes || !KeepBackup(sectionFile, *bytes, &result.keptStamp) || !WriteFileAtomically(sectionFile, *bytes))
        return result;
    result.restored = *chosen;
    PruneBackups(sectionFile);
    return result;
}

std::filesystem::path KeepReceivedFile(const std::filesystem::path& received,
                                       const std::filesystem::path& sectionFile) {
    const std::string base = sectionFile.string() + ".received-" + StampNow();
    std::filesystem::path kept = base;
    std::error_code error;
    for (int n = 2; std::filesystem::exists(kept, error); ++n)
        kept = base + "-" + std::to_string(n);
    return ReplaceFile(received, kept) ? kept : received;
}
