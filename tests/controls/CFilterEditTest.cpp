// The record-field edit: typing and pasting on both keyboard sides, and its PC text.
#include "controls/CFilterEdit.h"

#include "keyboard/KeyboardSide.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class CFilterEditTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_edit.show();
        m_edit.activateWindow();
        m_edit.setFocus();
    }
    void TearDown() override { g_bLatinKeyboard = m_saved; }

    // One key press per character, carrying the character the user's own layout gave; a line
    // feed is the Enter key.
    void Type(const QString& characters) {
        for (QChar c : characters)
            if (c == '\n')
                QTest::keyClick(&m_edit, Qt::Key_Return);
            else
                QTest::sendKeyEvent(QTest::Click, &m_edit, Qt::Key(c.toUpper().unicode()), QString(c), {});
    }

    int m_saved = g_bLatinKeyboard;
    CFilterEdit m_edit;
};

// What the field holds after typing or pasting on a keyboard side; within a limit a line break
// counts as two and what would overflow is cut.
TEST_F(CFilterEditTest, TypedAndPastedCharactersBecomeWhatTheFieldHolds) {
    const struct {
        const char* name;
        int latin, limit;
        std::string before; // set by the program, the cursor at its end
        bool selectAll;
        QString typed, pasted;
        std::string stored;
    } cases[] = {
        {"umlauts and sharp s", 1, 0, "", false, QString::fromUtf8("äöüßÄÖÜ"), "", "\x80\x81\x82\x83\x80\x81\x82"},
        {"accents fold, inverted question mark is dropped", 1, 0, "", false, QString::fromUtf8("é¿èñ"), "", "EEN"},
        {"cyrillic on the latin side is dropped", 1, 0, "", false, QString::fromUtf8("жa"), "", "A"},
        {"cyrillic upper-cased", 0, 0, "", false, QString::fromUtf8("яжЖ"), "", "\xDF\xC6\xC6"},
        {"pasted lines", 1, 0, "", false, "", QString::fromUtf8("Façade\r\nÉté"), "FACADE\r\nETE"},
        {"pasted on the cyrillic side", 0, 0, "", false, "", QString::fromUtf8("мир müde"), "\xCC\xC8\xD0 MDE"},
        {"a paste is cut to fit", 1, 5, "AB", false, "", "CDEFG", "ABCDE"},
        {"no room for half a line break", 1, 5, "ABCD", false, "\n", "", "ABCD"},
        {"a pasted line break counts two", 1, 5, "A", false, "", "B\nCD", "AB\r\nC"},
        {"a selection gives its room back", 1, 5, "ABCDE", true, "XY", "", "XY"},
        {"the program may set more", 1, 5, "ABCDEFGH", false, "I", "", "ABCDEFGH"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_bLatinKeyboard = c.latin;
        m_edit.SetLimitText(c.limit);
        m_edit.SetText(c.before);
        m_edit.moveCursor(QTextCursor::End);
        if (c.selectAll)
            m_edit.selectAll();
        Type(c.typed);
        QApplication::clipboard()->setText(c.pasted); // an empty paste enters nothing
        QTest::keyClick(&m_edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(m_edit.GetText(), c.stored);
        EXPECT_EQ(QApplication::clipboard()->text(), c.pasted) << "the clipboard keeps the original";
    }
}

TEST_F(CFilterEditTest, PasteWithoutTextEntersNothingAndLeavesTheClipboardAlone) {
    m_edit.SetText("ALT");
    auto* image = new QMimeData;
    image->setData("image/png", "PNG");
    for (QMimeData* content : {new QMimeData, image}) {
        QApplication::clipboard()->setMimeData(content);
        m_edit.paste();
        EXPECT_EQ(m_edit.GetText(), "ALT");
        EXPECT_EQ(QApplication::clipboard()->mimeData()->formats(), content->formats());
    }
}

TEST_F(CFilterEditTest, HoldsPcTextWithCrLfAndShowsItThroughTheDisplayMap) {
    const std::string pc = "\202BER\r\n\xCC\xC8\xD0";
    m_edit.SetText(pc);
    EXPECT_EQ(m_edit.toPlainText(), QString::fromUtf8("ÜBER\nМИР"));
    EXPECT_EQ(m_edit.GetText(), pc);
}

TEST_F(CFilterEditTest, EditingKeysWorkOnlyTheUsersChangesAreReportedAndAReadOnlyFieldTakesNothing) {
    g_bLatinKeyboard = 1;
    int edits = 0;
    QObject::connect(&m_edit, &CFilterEdit::TextEdited, [&] { ++edits; });
    m_edit.SetText("SET");
    EXPECT_EQ(edits, 0);
    m_edit.SetText("");
    Type("ab");
    QTest::keyClick(&m_edit, Qt::Key_Backspace);
    Type("\nc");
    QTest::keyClick(&m_edit, Qt::Key_Left);
    QTest::keyClick(&m_edit, Qt::Key_Delete);
    Type("d");
    EXPECT_EQ(m_edit.GetText(), "A\r\nD");
    EXPECT_EQ(edits, 7);
    QTest::keyClick(&m_edit, Qt::Key_A, Qt::ControlModifier);
    Type("x");
    EXPECT_EQ(m_edit.GetText(), "X") << "select all is a command, not the letter a";

    m_edit.setReadOnly(true);
    Type("b");
    m_edit.InsertLineBreak();
    QApplication::clipboard()->setText("C");
    m_edit.paste();
    EXPECT_EQ(m_edit.GetText(), "X");
}

} // namespace
