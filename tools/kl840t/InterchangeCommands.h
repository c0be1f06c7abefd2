// The subcommands and steps that carry sections to and from the user's other programs.
#pragma once

#include "kl840t/CommandLine.h"
#include "records/Interchange.h"

#include <optional>
#include <vector>

int RunExport(const Invocation& invocation, std::ostream& out, std::ostream& err);

// The format of an import's or export's file: --format, else the file name's extension. Nothing
// for the list lines (tsv); false (with a message) for an unknown --format or one that does not
// carry the section.
bool ChooseFormat(const Invocation& invocation, const std::string& file, int section,
                  std::optional<InterchangeFormat>& format, std::ostream& err);

// The records of a vCard, iCalendar or CSV file, with a report of what was fitted to the handheld;
// false (with the line named) for a malformed file.
bool ImportForeign(std::string_view text, int section, InterchangeFormat format, const std::string& file,
                   std::vector<SectionRecord>& records, std::ostream& err);

// The section file's records followed by the new ones that are not already there; false (with a
// message) when the file is there but cannot be read whole.
bool AppendToSection(int section, const Invocation& invocation, std::vector<SectionRecord>& records, std::ostream& err);
