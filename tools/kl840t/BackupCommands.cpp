// The subcommands on the kept old versions of the section files.
#include "kl840t/BackupCommands.h"

#include "app/FileBytes.h"
#include "records/SectionBackups.h"
#include "records/Sections.h"

#include <ostream>

namespace {

constexpr const char* kSectionNames[] = {"telephone", "schedule", "er-dict", "re-dict"};

std::string RecordsOf(const SectionBackup& backup, int section) {
    const std::optional<std::string> bytes = ReadFileBytes(backup.path);
    if (!bytes)
        return "unreadable";
    const SectionShape shape = InspectSectionBytes(*bytes, section);
    return std::to_string(shape.records) + (shape.records == 1 ? " record" : " records") +
           (shape.damaged ? " (damaged after them)" : "");
}

} // namespace

int RunBackups(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    int only = 0;
    if (!invocation.operands.empty() && !(only = ParseSectionOperand(invocation.operands[0], err)))
        return kExitUsage;
    for (int section = kSectionTelephone; section <= kSectionRussianGerman; ++section) {
        if (only && section != only)
            continue;
        for (const SectionBackup& backup : ListBackups(section, invocation.dir))
            out << kSectionNames[section - 1] << '\t' << backup.stamp << '\t' << RecordsOf(backup, section) << '\t'
                << backup.bytes << " bytes\n";
    }
    return kExitOk;
}

int RunRestore(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    const int section = ParseSectionOperand(invocation.operands[0], err);
    if (!section)
        return kExitUsage;
    const std::string stamp = invocation.operands.size() > 1 ? invocation.operands[1] : std::string();
    const std::filesystem::path file = GetSectionFileName(section, invocation.dir);
    const RestoreResult result = RestoreBackup(section, stamp, invocation.dir);
    if (!result.found) {
        err << "kl840t: no backup " << (stamp.empty() ? "" : stamp + " ") << "of " << file.string()
            << " (kl840t backups lists them)\n";
        return kExitFailure;
    }
    if (!result.restored) {
        err << "kl840t: cannot put the backup back in place of " << file.string() << "; it is unchanged\n";
        return kExitFailure;
    }
    out << file.string() << " restored from backup " << result.restored->stamp;
    if (!result.keptStamp.empty())
        out << "; the file it replaced is backup " << result.keptStamp;
    out << '\n';
    return kExitOk;
}
