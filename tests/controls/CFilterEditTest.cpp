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
        m_saved = g_bLatinKeyboard;
        m_edit.show();
        m_edit.activateWindow();
        m_edit.setFocus();
    }
    void TearDown() override { g_bLatinKeyboard = m_saved; }

    // One key press per character, carrying the character a keyboard of the user's layout gave.
    void TypeText(const QString& characters) {
        for (QChar c : characters)
            QTest::sendKeyEvent(QTest::Click, &m_edit, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }

    int m_saved = 0;
    CFilterEdit m_edit;
};

TEST_F(CFilterEditTest, TypedCharactersBecomeWhatTheFieldHolds) {
    struct Case {
        const char* name;
        int latin;
        QString typed;
        std::string stored;
    };
    const Case cases[] = {
        {"umlauts and sharp s", 1, QString::fromUtf8("äöüßÄÖÜ"), "\x80\x81\x82\x83\x80\x81\x82"},
        {"accents fold, inverted question mark is dropped", 1, QString::fromUtf8("é¿èñ"), "EEN"},
        {"cyrillic on the latin side is dropped", 1, QString::fromUtf8("жa"), "A"},
        {"small letters and the four signs", 1, "qz{|}~09", "QZ{|}~09"},
        {"cyrillic upper-cased", 0, QString::fromUtf8("яжЖ"), "\xDF\xC6\xC6"},
        {"cyrillic side keeps byte BFh", 0, QString::fromUtf8("ї"), "\xBF"},
        {"inverted question mark is not in the cyrillic code page", 0, QString::fromUtf8("¿"), ""},
        {"latin letters on the cyrillic side", 0, "qw", "QW"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_bLatinKeyboard = c.latin;
        m_edit.SetText("");
        TypeText(c.typed);
        EXPECT_EQ(m_edit.GetText(), c.stored);
    }
}

TEST_F(CFilterEditTest, EditingKeysStillWork) {
    g_bLatinKeyboard = 1;
    TypeText("ab");
    QTest::keyClick(&m_edit, Qt::Key_Backspace);
    QTest::keyClick(&m_edit, Qt::Key_Return);
    TypeText("c");
    QTest::keyClick(&m_edit, Qt::Key_Left);
    QTest::keyClick(&m_edit, Qt::Key_Delete);
    TypeText("d");
    EXPECT_EQ(m_edit.GetText(), "A\r\nD");
    // Select all is a command, not the letter a.
    QTest::keyClick(&m_edit, Qt::Key_A, Qt::ControlModifier);
    TypeText("x");
    EXPECT_EQ(m_edit.GetText(), "X");
}

TEST_F(CFilterEditTest, PasteEntersTheFilteredTextAndTheClipboardKeepsTheOriginal) {
    QClipboard* clipboard = QApplication::clipboard();
    struct Case {
        int latin;
        QString clipboard;
        std::string entered;
    };
    const Case cases[] = {
        {1, QString::fromUtf8("müde"),
         "M\x82"
         "DE"},
        {1, QString::fromUtf8("Façade\r\nÉté"), "FACADE\r\nETE"},
        {0, QString::fromUtf8("мир müde"), "\xCC\xC8\xD0 MDE"},
    };
    for (const auto& c : cases) {
        g_bLatinKeyboard = c.latin;
        m_edit.SetText("");
        clipboard->setText(c.clipboard);
        QTest::keyClick(&m_edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(m_edit.GetText(), c.entered);
        EXPECT_EQ(clipboard->text(), c.clipboard);
    }
}

TEST_F(CFilterEditTest, PasteWithoutTextEntersNothingAndLeavesTheClipboardAlone) {
    g_bLatinKeyboard = 1;
    QClipboard* clipboard = QApplication::clipboard();
    m_edit.SetText("ALT");
    m_edit.moveCursor(QTextCursor::End);

    clipboard->clear();
    m_edit.paste();
    EXPECT_EQ(m_edit.GetText(), "ALT");

    auto* image = new QMimeData;
    image->setData("image/png", QByteArray("\x89PNG", 4));
    clipboard->setMimeData(image);
    m_edit.paste();
    EXPECT_EQ(m_edit.GetText(), "ALT");
    ASSERT_NE(clipboard->mimeData(), nullptr);
    EXPECT_TRUE(clipboard->mimeData()->hasFormat("image/png"));
    EXPECT_FALSE(clipboard->mimeData()->hasText());
}

TEST_F(CFilterEditTest, HoldsPcTextWithCrLfAndShowsItThroughTheDisplayMap) {
    const std::string pc = "\x82"
                           "BER\r\n\xCC\xC8\xD0";
    m_edit.SetText(pc);
    EXPECT_EQ(m_edit.toPlainText(), QString::fromUtf8("ÜBER\nМИР"));
    EXPECT_EQ(m_edit.GetText(), pc);
}

TEST_F(CFilterEditTest, FilterCharFollowsTheKeyboardSide) {
    char c = static_cast<char>(0xE4);
    g_bLatinKeyboard = 1;
    EXPECT_TRUE(CFilterEdit::FilterChar(c));
    EXPECT_EQ(c, '\x80');
    c = static_cast<char>(0xE4);
    g_bLatinKeyboard = 0;
    EXPECT_TRUE(CFilterEdit::FilterChar(c));
    EXPECT_EQ(c, '\xC4');
}

TEST_F(CFilterEditTest, TheLimitCountsALineBreakAsTwoAndCutsWhatWouldOverflow) {
    struct Case {
        const char* name;
        std::string before; // the text set by the program, the cursor at its end
        bool selectAll;
        QString typed;
        QString pasted;
        bool lineBreak;
        std::string after;
    };
    const Case cases[] = {
        {"typing stops at the limit", "", false, "ABCDEFG", "", false, "ABCDE"},
        {"a paste is cut to fit", "AB", false, "", "CDEFG", false, "ABCDE"},
        {"a line break takes two", "ABC", false, "", "", true, "ABC\r\n"},
        {"no room for half a line break", "ABCD", false, "", "", true, "ABCD"},
        {"a pasted line break counts two", "A", false, "", "B\nCD", false, "AB\r\nC"},
        {"a selection gives its room back", "ABCDE", true, "XY", "", false, "XY"},
        {"the program may set more", "ABCDEFGH", false, "I", "", false, "ABCDEFGH"},
    };
    g_bLatinKeyboard = 1;
    m_edit.SetLimitText(5);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_edit.SetText(c.before);
        m_edit.moveCursor(QTextCursor::End);
        if (c.selectAll)
            m_edit.selectAll();
        TypeText(c.typed);
        if (!c.pasted.isEmpty()) {
            QApplication::clipboard()->setText(c.pasted);
            m_edit.paste();
        }
        if (c.lineBreak)
            QTest::keyClick(&m_edit, Qt::Key_Return);
        EXPECT_EQ(m_edit.GetText(), c.after);
    }
}

TEST_F(CFilterEditTest, OnlyTheUsersChangesAreReportedAndAReadOnlyFieldTakesNothing) {
    int edits = 0;
    QObject::connect(&m_edit, &CFilterEdit::TextEdited, [&] { ++edits; });
    m_edit.SetText("SET");
    EXPECT_EQ(edits, 0);
    TypeText("a");
    EXPECT_EQ(edits, 1);
    QTest::keyClick(&m_edit, Qt::Key_Backspace);
    EXPECT_EQ(edits, 2);

    m_edit.setReadOnly(true);
    TypeText("b");
    m_edit.InsertLineBreak();
    QApplication::clipboard()->setText("C");
    m_edit.paste();
    EXPECT_EQ(m_edit.GetText(), "SET");
}

} // namespace
