// kl840t export and import with other programs' files, checked by an independent reader.
#include "support/ChildProcess.h"
#include "support/TempHome.h"

#include <gtest/gtest.h>

namespace {

// Prints a vCard or iCalendar file as kl840t list prints the section: the independent reader
// must find the same names, numbers, dates, times and texts.
constexpr char kReader[] = R"(import sys
def esc(text): return text.replace('\\', '\\\\').replace('\t', '\\t').replace('\n', '\\n')
data = open(sys.argv[2], 'rb').read()
if sys.argv[1] == 'vcf':
    import vobject
    for card in vobject.readComponents(data.decode('utf-8')):
        get = lambda name: card.contents[name][0].value if name in card.contents else ''
        locked = 'LOCKED' in (card.contents['categories'][0].value if 'categories' in card.contents else [])
        print('L' if locked else '-', esc(get('fn')), esc(get('tel')), esc(get('note')), sep='\t')
else:
    import icalendar
    for event in icalendar.Calendar.from_ical(data).walk('VEVENT'):
        start = event['DTSTART'].dt
        end = event['DTEND'].dt if 'DTEND' in event else None
        times = '00:00-00:00' if not hasattr(start, 'hour') else '%s-%s' % (
            start.strftime('%H:%M'), end.strftime('%H:%M') if end else '00:00')
        print('L' if event.get('CLASS') == 'PRIVATE' else '-', start.strftime('%Y-%m-%d'), times,
              esc(str(event.get('SUMMARY', ''))), sep='\t')
)";

class InterchangeToolTest : public TempHomeTest {
protected:
    void SetUp() override {
        m_temp.InstallDeliveredProfile();
        ChildProcess tool(
            {KL840T_BINARY_DIR "/tools/handheld/kl840t-handheld", "--write-samples", Path("s"), "--quiet"}, true);
        ASSERT_EQ(tool.WaitForExit(10000), 0) << tool.Output();
    }

    std::string Path(const std::string& name) const { return (m_temp.Home() / name).string(); }

    // Runs the tool; its output and errors end up in m_output.
    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), KL840T_CLI_PATH);
        ChildProcess tool(args, true);
        const int status = tool.WaitForExit(20000);
        m_output = tool.Output();
        return status;
    }

    std::string m_output;
};

TEST_F(InterchangeToolTest, SamplesGoOutAsOtherProgramsReadThemAndComeBackTheSame) {
    WriteFileBytes(Path("reader.py"), kReader);
    const std::tuple<std::string, std::string, std::string> exports[] = {
        {"telephone", "vcf", "840.0"}, {"schedule", "ics", "840.1"}, {"telephone", "csv", "840.0"},
        {"schedule", "csv", "840.1"},  {"er-dict", "csv", "840.2"},  {"re-dict", "csv", "840.3"}};
    for (const auto& [section, extension, sectionFile] : exports) {
        SCOPED_TRACE(section + "." + extension);
        const std::string file = Path(section + "." + extension), back = Path("back-" + extension);
        ASSERT_EQ(Run({"export", section, "--dir", Path("s"), "-o", file}), 0) << m_output;
        if (extension != "csv" && ChildProcess::OnPath("/usr/bin/python3")) {
            ASSERT_EQ(Run({"list", section, "--dir", Path("s")}), 0);
            ChildProcess reader({"/usr/bin/python3", Path("reader.py"), extension, file}, true);
            EXPECT_EQ(reader.WaitForExit(20000), 0);
            EXPECT_EQ(reader.Output(), m_output);
        }
        // Brought back, then appended to what came back, which leaves out every record as already there.
        std::vector<std::string> import = {"import", section, file, "--dir", back};
        for (int round = 0; round < 2; ++round, import.push_back("--append")) {
            ASSERT_EQ(Run(import), 0) << m_output;
            EXPECT_TRUE(ReadFileBytes(back + "/" + sectionFile) == ReadFileBytes(Path("s/" + sectionFile)));
        }
    }
}

TEST_F(InterchangeToolTest, ImportsThatCannotBeTakenChangeNothing) {
    const std::string before = ReadFileBytes(m_temp.Home() / "s" / "840.0");
    WriteFileBytes(Path("bad.vcf"), "BEGIN:VCARD\r\nFN:a\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:b\r\n");
    WriteFileBytes(Path("list.txt"), "-\tAB\\tÉ☺\tB\t\n");
    const std::tuple<std::vector<std::string>, int, std::string> cases[] = {
        {{"import", "telephone", Path("bad.vcf")}, 1, "bad.vcf:4: the card that begins here has no END:VCARD"},
        {{"import", "telephone", Path("list.txt")}, 1, "list.txt:1:8: field 1: character U+263A"},
        {{"import", "telephone", Path("bad.vcf"), "--format", "ical"}, 2, "iCalendar carries the schedule"},
        {{"import", "telephone", Path("bad.vcf"), "--format", "xml"}, 2, "unknown format 'xml'"},
        {{"export", "er-dict", "-o", Path("x.vcf")}, 2, "vCard carries the telephone"},
    };
    for (const auto& [args, status, message] : cases) {
        SCOPED_TRACE(args[2]);
        std::vector<std::string> withDir = args;
        withDir.insert(withDir.end(), {"--dir", Path("s")});
        EXPECT_EQ(Run(withDir), status);
        EXPECT_NE(m_output.find(message), std::string::npos) << m_output;
        EXPECT_TRUE(ReadFileBytes(m_temp.Home() / "s" / "840.0") == before);
    }
}

} // namespace
