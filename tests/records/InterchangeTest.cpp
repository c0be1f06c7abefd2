// Files of the user's other programs: the folding into record fields, the three formats both ways,
// files as other programs write them, and malformed files.
#include "records/Interchange.h"

#include "keyboard/FilterChar.h"
#include "kl840t/RecordLines.h"
#include "records/SectionBytes.h"
#include "records/Sections.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(FieldFoldingTest, EachCharacterFoldsAsAFieldTakesIt) {
    constexpr auto kLatin = FieldCharSide::Latin, kCyrillic = FieldCharSide::Cyrillic, kEither = FieldCharSide::Either;
    const std::tuple<char32_t, FieldCharSide, int> cases[] = {
        // character, side, PC byte (-1: refused)
        {U'q', kEither, 'Q'},    {U'ä', kEither, 0x80}, {U'ß', kLatin, 0x83},    {U'é', kEither, 'E'},
        {U'Š', kEither, 'S'},    {U'я', kEither, 0xDF}, {U'ж', kCyrillic, 0xC6}, {U'ё', kEither, 0xB8},
        {U'ä', kCyrillic, -1},   {U'ж', kLatin, -1},    {U'¿', kLatin, -1},      {U'§', kCyrillic, 0xA7},
        {U'Ђ', kCyrillic, 0x80}, {U'Ђ', kEither, -1},   {U'☺', kEither, -1},     {U'\0', kEither, -1},
        {U'\t', kEither, '\t'},  {U'ł', kEither, -1},
    };
    for (const auto& [c, side, expected] : cases) {
        SCOPED_TRACE(static_cast<unsigned>(c));
        const std::optional<char> folded = FoldCharForField(c, side);
        EXPECT_EQ(folded ? static_cast<unsigned char>(*folded) : -1, expected);
    }
    const FieldFolding text = FoldIntoField("straße\nЁлка\r\n☺x");
    EXPECT_EQ(text.pc, "STRA\x83\x45\r\n\xA8\xCB\xCA\xC0\r\nX");
    EXPECT_EQ(text.folded, 9u);
    ASSERT_EQ(text.refused.size(), 1u);
    EXPECT_EQ(text.refused[0].position, 13u);
    EXPECT_EQ(text.refused[0].character, U'☺');
}

std::string Lines(const std::vector<SectionRecord>& records, int section) {
    std::string lines;
    for (const SectionRecord& record : records)
        (lines += FormatRecordLine(record, section)) += '\n';
    return lines;
}

// What owners keep, and what each format has to escape, quote or fold. The
// schedule's texts are in the default locale: day first, 24-hour clock.
const std::pair<int, std::vector<SectionRecord>> kSections[] = {
    {kSectionTelephone,
     {Record({"M\x82LLER, J\x81RG", "+49 30 123", "BERLIN\r\nSTRA\x83\x45 5, \"HOF\"; 2"}, 1),
      Record({"\xC8\xC2\xC0\xCD\xCE\xC2 \xCF\xA8\xD2\xD0", "", ""}), Record({"", "110", "A\\B"}),
      Record(
          {std::string(70, '\xC6'), std::string(55, '9'), std::string(59, '\xC6') + "\r\n" + std::string(59, 'A')})}},
    {kSectionSchedule,
     {Record({"01/03/2000", "08:00:00 - 09:30:00", "TREFFEN\r\nRAUM 2"}, 1),
      Record({"31/12/2155", "00:00:00 - 00:00:00", ""}), Record({"01/01/1900", "22:30:00 - 01:15:00", "NACHT"}),
      Record({"29/02/2024", "09:00:00 - 00:00:00", "\xC2\xD1\xD2\xD0\xC5\xD7\xC0, ;"}),
      Record({"29/02/2024", "09:00:00 - 00:00:00", "\xC2\xD1\xD2\xD0\xC5\xD7\xC0, ;"})}},
    {kSectionGermanRussian, {Record({"\x80RGER", "\xC4\xCE\xD1\xC0\xC4\xC0"}, 1), Record({"A,B", "\"C\"\r\n"})}},
    {kSectionRussianGerman, {Record({"\xA8\xCB\xCA\xC0", "TANNENBAUM"})}},
};

TEST(InterchangeTest, EverySectionComesBackThroughEveryFormatThatCarriesIt) {
    for (const auto& [section, records] : kSections) {
        for (InterchangeFormat format :
             {InterchangeFormat::VCard, InterchangeFormat::ICalendar, InterchangeFormat::Csv}) {
            if (!InterchangeFormatFits(format, section))
                continue;
            SCOPED_TRACE(std::to_string(section) + InterchangeExtension(format));
            const std::string file = ExportRecords(records, section, format, {"N\x80ME", "B", "C"});
            for (std::size_t start = 0, end; (end = file.find("\r\n", start)) != std::string::npos; start = end + 2)
                EXPECT_TRUE(format == InterchangeFormat::Csv || end - start <= 75) << "a line longer than 75 octets";
            const ImportResult back = ImportRecords(file, section, format);
            EXPECT_EQ(Lines(back.records, section), Lines(records, section)) << back.error;
            EXPECT_TRUE(back.report.cut.empty() && back.report.refused.empty() && back.report.folded == 0);
        }
    }
}

TEST(InterchangeTest, FilesAsOtherProgramsWriteThemAreRead) {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    const std::tuple<int, InterchangeFormat, std::string, std::string, std::size_t, std::size_t> cases[] = {
        // section, format, file, the records read, repeated events taken once, records left out
        {kSectionTelephone, InterchangeFormat::VCard,
         "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:M=C3=BCller;J=C3=B6rg;;;\r\n"
         "TEL;HOME:030 1\r\nTEL;CELL;PREF:0170 2\r\nADR;HOME:;;Hauptstr. 5;Berlin;;10115;\r\n"
         "NOTE;ENCODING=QUOTED-PRINTABLE:erste=0D=0Azweite =\r\nZeile\r\nEND:VCARD\r\n"
         "begin:vcard\nversion:3.0\nitem1.FN:Анна\n  Иванова\nTEL;TYPE=work:1\nTEL;TYPE=cell,pref:2\n"
         "CATEGORIES:Freunde,locked\nend:vcard\n"
         "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Zoë\r\nTEL;VALUE=uri;PREF=2:tel:+49-1\r\nTEL;PREF=1:+49-2\r\n"
         "NOTE:a\\, b\\nc ☺\r\nEND:VCARD\r\n",
         "-\tMÜLLER, JÖRG\t0170 2\tHAUPTSTR. 5, 10115 BERLIN\\nERSTE\\nZWEITE ZEILE\n"
         "L\tАННА ИВАНОВА\t2\t\n"
         "-\tZOE\t+49-2\tA, B\\nC \n",
         0, 0},
        {kSectionSchedule, InterchangeFormat::ICalendar,
         "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VTIMEZONE\r\nTZID:Moskau\r\nBEGIN:STANDARD\r\n"
         "DTSTART:19700101T000000\r\nTZOFFSETFROM:+0300\r\nTZOFFSETTO:+0300\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n"
         "BEGIN:VEVENT\r\nUID:1\r\nDTSTART;TZID=Moskau:20261205T120000\r\nDURATION:PT90M\r\nSUMMARY:Termin in\r\n"
         "  Moskau\r\nCLASS:CONFIDENTIAL\r\nEND:VEVENT\r\n"
         "BEGIN:VEVENT\r\nUID:2\r\nDTSTART:20260701T220000Z\r\nDTEND:20260701T230000Z\r\nRRULE:FREQ=WEEKLY\r\n"
         "SUMMARY:Woche\\nzwei\r\nEND:VEVENT\r\n"
         "BEGIN:VEVENT\r\nUID:3\r\nDTSTART;VALUE=DATE:20261224\r\nDTEND;VALUE=DATE:20261225\r\nEND:VEVENT\r\n"
         "BEGIN:VEVENT\r\nUID:4\r\nDTSTART:22000101T100000\r\nSUMMARY:zu spaet\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
         "L\t2026-12-05\t10:00-11:30\tTERMIN IN MOSKAU\n"
         "-\t2026-07-02\t00:00-01:00\tWOCHE\\nZWEI\n"
         "-\t2026-12-24\t00:00-00:00\t\n",
         1, 1},
        {kSectionGermanRussian, InterchangeFormat::Csv,
         "\xEF\xBB\xBF\"Wort\";\"Übersetzung\";locked\r\nhaus;\"дом;\r\nздание\";1\n\"a \"\"b\"\"\";c\n\n",
         "L\tHAUS\tДОМ;\\nЗДАНИЕ\n-\tA \"B\"\tC\n", 0, 0},
    };
    for (const auto& [section, format, file, lines, firstOccurrences, leftOut] : cases) {
        SCOPED_TRACE(InterchangeExtension(format));
        const ImportResult read = ImportRecords(file, section, format);
        EXPECT_EQ(Lines(read.records, section), lines) << read.error;
        EXPECT_EQ(read.report.firstOccurrences, firstOccurrences);
        EXPECT_EQ(read.report.leftOut, leftOut);
    }
    unsetenv("TZ");
    tzset();
}

TEST(InterchangeTest, WhatTheHandheldCannotHoldIsFittedAndReported) {
    const std::string card = "BEGIN:VCARD\r\nFN:x\r\nEND:VCARD\r\nBEGIN:VCARD\r\nFN:" + std::string(80, 'a') +
                             "\r\nNOTE:" + std::string(119, 'b') +
                             "\\nc ☺\r\nEND:VCARD\r\nBEGIN:VCARD\r\nEND:VCARD\r\n";
    const ImportResult read = ImportRecords(card, kSectionTelephone, InterchangeFormat::VCard);
    ASSERT_EQ(read.records.size(), 2u);
    EXPECT_EQ(read.records[1].m_lstFields[0], std::string(70, 'A'));
    EXPECT_EQ(read.records[1].m_lstFields[2], std::string(119, 'B')); // the line break is not split
    ASSERT_EQ(read.report.cut.size(), 2u);
    EXPECT_EQ(read.report.cut[0].record, 2u);
    EXPECT_EQ(read.report.cut[1].field, 2);
    ASSERT_EQ(read.report.refused.size(), 1u);
    EXPECT_EQ(read.report.refused[0].character, U'☺');
    EXPECT_EQ(read.report.folded, 81u + 119u + 1u);
    EXPECT_EQ(read.report.leftOut, 1u);

    std::vector<SectionRecord> present = {Record({"A", "B"}), Record({"C", "D"}, 1)};
    EXPECT_EQ(AppendNewRecords(present, {Record({"C", "D"}), Record({"A", "B"}), Record({"C", "D"})}), 2u);
    EXPECT_EQ(Lines(present, kSectionGermanRussian), "-\tA\tB\nL\tC\tD\n-\tC\tD\n");
}

// A card without its end is among kl840t's refused imports.
TEST(InterchangeTest, MalformedFilesNameTheLineAndGiveNoRecords) {
    const std::tuple<int, InterchangeFormat, std::string, std::size_t> cases[] = {
        {kSectionTelephone, InterchangeFormat::VCard, "BEGIN:VCARD\nFN:a\nno colon\nEND:VCARD\n", 3},
        {kSectionTelephone, InterchangeFormat::VCard, "FN:a\n", 1},
        {kSectionTelephone, InterchangeFormat::VCard, "\nEND:VCARD\n", 2},
        {kSectionSchedule, InterchangeFormat::ICalendar, "BEGIN:VCALENDAR\nBEGIN:VEVENT\nEND:VCALENDAR\n", 3},
        {kSectionSchedule, InterchangeFormat::ICalendar,
         "BEGIN:VCALENDAR\nBEGIN:VEVENT\nDTSTART:20260101\nEND:VEVENT\nBEGIN:VEVENT\nSUMMARY:x\nEND:VEVENT\nEND:"
         "VCALENDAR\n",
         5},
        {kSectionSchedule, InterchangeFormat::ICalendar, "BEGIN:VCALENDAR\nVERSION 2.0\nEND:VCALENDAR\n", 2},
        {kSectionGermanRussian, InterchangeFormat::Csv, "a,b,0\n\"c\nd,e,0\n", 2},
        {kSectionGermanRussian, InterchangeFormat::Csv, "a,b,0\nc,d,e,f\n", 2},
        {kSectionGermanRussian, InterchangeFormat::Csv, "a,\"b\"x,0\n", 1},
        {kSectionGermanRussian, InterchangeFormat::Csv, "\"a\nb\",c,yes\n", 1},
        {kSectionSchedule, InterchangeFormat::Csv, "2026-01-01,08:00-09:00,a\n2026-02-30,08:00-09:00,b\n", 2},
        {kSectionGermanRussian, InterchangeFormat::VCard, "", 0},
    };
    for (const auto& [section, format, file, line] : cases) {
        SCOPED_TRACE(file);
        const ImportResult read = ImportRecords(file, section, format);
        EXPECT_NE(read.error, "");
        EXPECT_EQ(read.errorLine, line);
        EXPECT_TRUE(read.records.empty());
    }
}

} // namespace
