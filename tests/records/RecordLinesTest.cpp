// Records as lines of the command-line tool, and the tool's commands.
#include "kl840t/RecordLines.h"

#include "kl840t/CommandLine.h"
#include "records/ScopedLocale.h"
#include "records/SectionBytes.h"
#include "records/Sections.h"
#include "support/TempHome.h"

#include <sstream>

namespace {

TEST(RecordLinesTest, FieldsAreEscapedAndWrittenAsUtf8) {
    SectionRecord record = Record({"\x80\x81\x82\x83 \xCC\xC8\xD0 \xA8", "A\r\nB\tC\\D\rE\nF", ""}, 1);
    EXPECT_EQ(FormatRecordLine(record, kSectionTelephone), "L\tÄÖÜß МИР Ё\tA\\nB\\tC\\\\D\\rE\\nF\t");
    record.m_nLocked = 0;
    EXPECT_EQ(FormatRecordLine(record, kSectionGermanRussian), "-\tÄÖÜß МИР Ё\tA\\nB\\tC\\\\D\\rE\\nF");
}

TEST(RecordLinesTest, MalformedLinesSayWhy) {
    const std::tuple<int, std::string, std::string> cases[] = {
        // section, line, the start of the message
        {kSectionGermanRussian, "-\tA", "expected the lock flag and 2 fields"},
        {kSectionTelephone, "X\tA\tB\tC", "the lock flag must be L or -"},
        {kSectionGermanRussian, "-\tA\\x\tB", "field 1: unknown escape"},
        {kSectionGermanRussian, "-\tä\t☺", "field 2: character U+263A"},
        {kSectionSchedule, "-\t2000-3-01\t08:00-09:00\t", "field 1: the date must be written YYYY-MM-DD"},
        {kSectionSchedule, "-\t2156-01-01\t08:00-09:00\t", "field 1: the date must be a day of the years 1900"},
        {kSectionSchedule, "-\t2000-03-01\t8:00-09:00\t", "field 2: the times must be written HH:MM-HH:MM"},
        {kSectionSchedule, "-\t2000-03-01\t24:00-09:00\t", "field 2: the times must be times of day"},
        {kSectionGermanRussian, "-\t" + std::string(47, 'A') + "\tB", "field 1: the field holds 47 characters"},
    };
    for (const auto& [section, line, error] : cases) {
        SCOPED_TRACE(line);
        ParsedRecordLine parsed = ParseRecordLine(line, section);
        EXPECT_FALSE(parsed.record);
        EXPECT_EQ(parsed.error.substr(0, error.size()), error);
    }
}

TEST(RecordLinesTest, FieldsUpToTheirLimitsAreAcceptedAndFolded) {
    // A line break counts two, as in the record editor.
    std::string breaks;
    for (int i = 0; i < 23; ++i)
        breaks += "\\n";
    const auto parsed = ParseRecordLine("-\t" + breaks + "\tä\\\\é" + std::string(189, 'x'), kSectionGermanRussian);
    ASSERT_TRUE(parsed.record);
    EXPECT_EQ(parsed.record->m_lstFields[1], "\x80\\E" + std::string(189, 'X'));
    EXPECT_TRUE(ParseRecordLine("-\t2000-03-01\t08:00-09:00\t" + std::string(242, 'A'), kSectionSchedule).record);
    EXPECT_FALSE(ParseRecordLine("-\t2000-03-01\t08:00-09:00\t" + std::string(243, 'A'), kSectionSchedule).record);
    EXPECT_FALSE(ParseRecordLine("-\t" + breaks + "\\n\tB", kSectionGermanRussian).record);
    EXPECT_EQ(ParseRecordLine("-\tAB\\tÉ☺\tB", kSectionGermanRussian).column, 8u);
}

class Kl840tCommandTest : public TempHomeTest {
protected:
    void SetUp() override { m_temp.InstallDeliveredProfile(); }

    int Run(std::vector<std::string> args) {
        m_out.str("");
        m_err.str("");
        return RunCommandLine(args, m_out, m_err);
    }

    std::string WriteInput(const std::string& text, const std::string& name = "input.txt") {
        const std::filesystem::path path = m_temp.Home() / name;
        WriteFileBytes(path, text);
        return path.string();
    }

    std::ostringstream m_out, m_err;
};

// What owners keep in each section: Cyrillic, umlauts, line breaks, escapes,
// locked and unlocked records, empty fields.
const std::pair<const char*, std::string> kSectionLines[] = {
    {"telephone", "-\tMÜLLER, JÖRG\t+49 30 123456\tBERLIN\\nSTRAßE 5\n"
                  "L\tИВАНОВ ПЁТР\t+7 495 1234567\tМОСКВА\\nТВЕРСКАЯ\\tДОМ 1\n"
                  "-\t\t\t\n"
                  "L\tA\\\\B\t\\n\\n\t\\t\n"},
    {"schedule", "L\t2000-03-01\t08:00-09:30\tTREFFEN MIT HERRN ÖZDEMIR\\nRAUM 2\n"
                 "-\t1900-01-01\t00:00-23:59\t\n"
                 "-\t2155-12-31\t12:30-00:30\tВСТРЕЧА\n"},
    {"er-dict", "-\tÄRGER\tДОСАДА\nL\tSTRAßE\tУЛИЦА\n-\tÜBER\tНАД\\nСВЕРХ\n"},
    {"re-dict", "L\tЁЛКА\tTANNENBAUM\n-\tЩИ\tKOHLSUPPE\\nMIT ÄPFELN\n"},
};

TEST_F(Kl840tCommandTest, ImportThenListGivesBackEveryLineInEveryLocale) {
    // Month first on the 12-hour clock, year first on the 24-hour clock.
    for (const auto& [order, clock] : {std::pair{"0", "0"}, std::pair{"2", "1"}}) {
        ScopedLocale locale(order, clock);
        for (const auto& [section, lines] : kSectionLines) {
            SCOPED_TRACE(std::string(section) + " " + order + clock);
            ASSERT_EQ(Run({"import", section, WriteInput(lines)}), kExitOk) << m_err.str();
            EXPECT_EQ(Run({"list", section}), kExitOk) << m_err.str();
            EXPECT_EQ(m_out.str(), lines);
            EXPECT_EQ(m_err.str(), "");
        }
    }
}

TEST_F(Kl840tCommandTest, MalformedImportWritesNothingAndNamesEveryBadLine) {
    const std::filesystem::path file = GetSectionFileName(kSectionGermanRussian);
    WriteFileBytes(file, std::string("E\0\0\0L", 5));
    EXPECT_EQ(Run({"import", "er-dict", WriteInput("-\tA\tB\r\n\n-\tA\n-\tC\tD\nX\tA\tB")}), kExitFailure);
    EXPECT_NE(m_err.str().find("input.txt:3: expected"), std::string::npos) << m_err.str();
    EXPECT_NE(m_err.str().find("input.txt:5: the lock flag"), std::string::npos) << m_err.str();
    EXPECT_EQ(m_err.str().find("input.txt:1:"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(file), std::string("E\0\0\0L", 5));
}

TEST_F(Kl840tCommandTest, ListReportsMissingAndDamagedFiles) {
    EXPECT_EQ(Run({"list", "schedule"}), kExitFailure);
    EXPECT_NE(m_err.str().find("840.1 is missing"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(GetSectionFileName(kSectionSchedule)));

    WriteFileBytes(GetSectionFileName(kSectionGermanRussian),
                   PacketBytes('E', 0, RecordBytes(Bytes({0x72, 'A', 0, 0})), 'N'));
    EXPECT_EQ(Run({"list", "er-dict"}), kExitFailure);
    EXPECT_EQ(m_out.str(), "-\tA\t\n");
    EXPECT_NE(m_err.str().find("damaged after record 1"), std::string::npos);
}

// The delivered table writes the handheld's bytes (a line break as LF), --dir puts the file elsewhere,
// and --profile overrides the table for one command.
TEST_F(Kl840tCommandTest, ImportWritesTheHandheldsBytesWhereAndHowTheOptionsSay) {
    const std::filesystem::path dir = m_temp.Home() / "backup";
    const std::string input = WriteInput("L\tÄ\\nB\tЖ\n");
    ASSERT_EQ(Run({"import", "er-dict", input, "--dir", dir.string()}), kExitOk) << m_err.str();
    EXPECT_EQ(ReadFileBytes(dir / "840.2"), std::string("E\0\x0E\0L\x07\0\xF2\xF2\nB\0\x86\0", 14));
    EXPECT_FALSE(std::filesystem::exists(GetSectionFileName(kSectionGermanRussian)));
    const std::string identity = WriteInput("[interface]\r\n", "identity.ini");
    ASSERT_EQ(Run({"import", "er-dict", input, "--dir=" + dir.string(), "--profile", identity}), kExitOk);
    EXPECT_EQ(ReadFileBytes(dir / "840.2"), std::string("E\0\x0E\0L\x07\0\xF2\x80\nB\0\xC6\0", 14));
    // Read through the delivered table again, the PC's Ä (80h) is the handheld's А.
    ASSERT_EQ(Run({"list", "er-dict", "--dir", dir.string()}), kExitOk);
    EXPECT_EQ(m_out.str(), "L\tА\\nB\tЖ\n");
}

TEST_F(Kl840tCommandTest, UsageErrors) {
    const std::vector<std::string> cases[] = {
        {}, {"frobnicate"}, {"list", "memo"}, {"list", "telephone", "--dir="}, {"import", "telephone"}, {"restore"}};
    for (const auto& args : cases) {
        SCOPED_TRACE(args.empty() ? "" : args[0] + (args.size() > 1 ? " " + args[1] : ""));
        EXPECT_EQ(Run(args), kExitUsage);
        EXPECT_NE(m_err.str(), "");
    }
    EXPECT_EQ(Run({"list", "telephone", "--profile", "/nonexistent.ini"}), kExitFailure);
    EXPECT_EQ(Run({"--help"}), kExitOk);
    EXPECT_NE(m_out.str().find("import <section> <file>"), std::string::npos);
}

} // namespace
