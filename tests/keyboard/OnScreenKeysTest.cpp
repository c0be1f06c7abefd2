// The on-screen keyboard's key geometry, hit test and character tables.
#include "keyboard/OnScreenKeys.h"

#include "keyboard/CodePages.h"
#include "keyboard/VirtualKeys.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(OnScreenKeysTest, HitTestGivesTheGapAfterAKeyToThatKey) {
    struct Case {
        int x, y;
        int row, column;
    };
    const Case cases[] = {
        {0, 0, 0, 0},     {19, 5, 0, 0},    {20, 5, 0, 0},    {21, 5, 0, 1},    {36, 15, 0, 1},
        {37, 15, 0, 1},   {38, 16, 1, 1},   {239, 0, 0, 13},  {239, 20, 1, 12}, {229, 40, 2, 12},
        {228, 40, 2, 11}, {238, 50, 3, 11}, {22, 64, 4, 0},   {24, 64, 4, 1},   {100, 79, 4, 4},
        {239, 79, 4, 8},  {-1, 10, -1, 0},  {240, 10, -1, 0}, {10, -1, -1, 0},  {10, 80, -1, 0},
    };
    for (const auto& c : cases) {
        KeyPosition hit = HitTestKeyboard(c.x, c.y);
        EXPECT_EQ(hit.row, c.row) << c.x << "," << c.y;
        if (c.row >= 0) {
            EXPECT_EQ(hit.column, c.column) << c.x << "," << c.y;
        }
    }
}

TEST(OnScreenKeysTest, KeyRectanglesAndTheTwoHalvesOfEnter) {
    EXPECT_EQ(KeyRects(0, 0), (std::vector<KeyRect>{{1, 1, 18, 15}}));
    EXPECT_EQ(KeyRects(4, 4), (std::vector<KeyRect>{{84, 65, 83, 14}}));
    const std::vector<KeyRect> enter{{228, 33, 11, 16}, {214, 49, 25, 15}};
    EXPECT_EQ(KeyRects(2, 12), enter);
    EXPECT_EQ(KeyRects(3, 11), enter);
    EXPECT_TRUE(KeyRects(1, 13).empty());
    EXPECT_EQ(KeySlotAt(2, 12).virtualKey, VK_RETURN);
    EXPECT_EQ(KeySlotAt(3, 11).virtualKey, VK_RETURN);
}

// The characters of a row's slots, first to last, as UTF-8 with a blank between them.
std::string RowText(KeyboardTable table, bool upper, int row, int first, int last) {
    std::string text;
    for (int column = first; column <= last; ++column) {
        std::uint8_t c = OnScreenCharacter(table, upper, row, column);
        if (!text.empty())
            text += ' ';
        AppendUtf8(text, CodePageOf(table) == 1251 ? Cp1251ToUnicode(c) : Cp1252ToUnicode(c));
    }
    return text;
}

TEST(OnScreenKeysTest, EachTableTypesItsCharacters) {
    struct Case {
        KeyboardTable table;
        bool upper;
        const char* rows[5];
    };
    // Row 0 columns 1-12, row 1 columns 1-12, row 2 columns 1-11, row 3 columns 1-10, row 4
    // columns 2-4.
    const Case cases[] = {
        {KeyboardTable::Latin,
         false,
         {"1 2 3 4 5 6 7 8 9 0 - =", "q w e r t y u i o p [ ]", "a s d f g h j k l ; '", "z x c v b n m , . /",
          "` \\  "}},
        {KeyboardTable::Latin,
         true,
         {"! @ # $ % ^ & * ( ) _ +", "Q W E R T Y U I O P { }", "A S D F G H J K L : \"", "Z X C V B N M < > ?",
          "~ |  "}},
        {KeyboardTable::LatinAccented,
         false,
         {"¿ ¡ œ ¢ £ ¥ § ° ± µ ß =", "à á â ã ä å æ ç ð ñ [ ]", "è é ê ë ì í î ï þ š '", "ò ó ô õ ö ù ú û ü /",
          "ý ÿ  "}},
        {KeyboardTable::LatinAccented,
         true,
         {"¿ ¡ Œ ¢ £ ¥ § ° ± µ _ +", "À Á Â Ã Ä Å Æ Ç Ð Ñ { }", "È É Ê Ë Ì Í Î Ï Þ Š \"", "Ò Ó Ô Õ Ö Ù Ú Û Ü ?",
          "Ý Ÿ  "}},
        {KeyboardTable::RussianStandard,
         false,
         {"1 2 3 4 5 6 7 8 9 0 - =", "й ц у к е н г ш щ з х ъ", "ф ы в а п р о л д ж э", "я ч с м и т ь б ю .",
          "` \\  "}},
        {KeyboardTable::RussianStandard,
         true,
         {"! \" # ; % : ? * ( ) _ +", "Й Ц У К Е Н Г Ш Щ З Х Ъ", "Ф Ы В А П Р О Л Д Ж Э", "Я Ч С М И Т Ь Б Ю ,",
          "~ /  "}},
        {KeyboardTable::RussianTypewriter,
         false,
         {"1 2 3 4 5 6 7 8 9 0 - ъ", "я ш е р т ы у и о п ю щ", "а с д ф г ч й к л ь ж",
          "з х ц в б н м ; . =", "` э  "}},
        {KeyboardTable::RussianTypewriter,
         true,
         {"№ ! / \" : « » ? ( ) _ Ъ", "Я Ш Е Р Т Ы У И О П Ю Щ", "А С Д Ф Г Ч Й К Л Ь Ж", "З Х Ц В Б Н М ' , %",
          "~ Э  "}},
    };
    const int last[] = {12, 12, 11, 10, 4};
    for (const auto& c : cases) {
        for (int row = 0; row < 5; ++row) {
            SCOPED_TRACE(testing::Message()
                         << static_cast<int>(c.table) << (c.upper ? " upper" : "") << " row " << row);
            EXPECT_EQ(RowText(c.table, c.upper, row, row == 4 ? 2 : 1, last[row]), c.rows[row]);
        }
    }
}

TEST(OnScreenKeysTest, CommandKeysTypeNothing) {
    const std::pair<int, int> commandKeys[] = {{0, 0},  {0, 13}, {1, 0}, {2, 0}, {2, 12}, {3, 0},
                                               {3, 11}, {4, 0},  {4, 1}, {4, 5}, {4, 8},  {1, 13}};
    for (KeyboardTable table : {KeyboardTable::Latin, KeyboardTable::LatinAccented, KeyboardTable::RussianStandard,
                                KeyboardTable::RussianTypewriter})
        for (auto [row, column] : commandKeys)
            for (bool upper : {false, true})
                EXPECT_EQ(OnScreenCharacter(table, upper, row, column), 0) << row << "," << column;
}

} // namespace
