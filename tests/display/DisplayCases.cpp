// The program on a real X display, typed at and clicked as a German or a Russian user would: the
// system's keyboard layout set with setxkbmap, the locale with LANG, keys pressed by key code and
// clicks made through the X server, and what the controls then hold read back.
//
// Each case runs the main window in a process of its own (this program, started again with
// --display-case=NAME) on an Xvfb of its own. To add a case, add one line to kCases: a script of
// clicks at named places ("click:NAME", names in Scene::Target; "click:box:0" is the first button
// of an open modal box), mouse moves to them ("move:NAME") and keys by their US names ("ctrl+a",
// "shift+="), then the value expected and, for anything but the record field with the focus, its
// reader (Scene::Read). The steps run from the event loop, so a modal box that one step opens can be
// answered by the next. A new place to click or a new thing to read is one more branch in Target or
// Read.
#include "XInput.h"

#include "app/CCenteredTabCtrl.h"
#include "app/CLinkApp.h"
#include "app/CMainDlg.h"
#include "app/Profile.h"
#include "controls/CFilterEdit.h"
#include "controls/CPictureButtonBar.h"
#include "keyboard/UsKeyboard.h"
#include "records/CDataPage.h"
#include "records/SectionFile.h"
#include "records/Sections.h"
#include "support/ChildProcess.h"
#include "support/TempHome.h"

#include <QAbstractButton>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <sstream>

namespace {

struct DisplayCase {
    const char* name;
    const char* layouts; // setxkbmap -layout
    const char* lang;
    int layoutEng; // the keyboard sides' layout options
    int layoutRus;
    std::string script;
    const char* expected;
    const char* reader = "focus";
};

// The first field of a new telephone record, with the focus in it.
const std::string kNewPhoneField = "click:tab:1 click:radio:1119 click:data:1 click:command:1 click:field:0 ";

const DisplayCase kCases[] = {
    {"RussianEmulationTranslatesInARussianLocale", "us", "ru_RU.UTF-8", 0, 1, kNewPhoneField + "click:side g h b d t n",
     "ПРИВЕТ"},
    {"GermanEmulationTranslatesInAGermanLocale", "us", "de_DE.UTF-8", 1, 0, kNewPhoneField + "y z ; [", "ZYÖÜ"},
    {"InternationalEmulationOnAGermanLayout", "de", "ru_RU.UTF-8", 2, 0, kNewPhoneField + "shift+' o ' c", "ÖC"},
    {"CyrillicSideLocksTheInstalledRussianGroup", "us,ru", "de_DE.UTF-8", 0, 0, kNewPhoneField + "click:side g h b",
     "ПРИ"},
    {"AltCommandsTypeNothingAndGoByTheKeysPlace", "ru", "ru_RU.UTF-8", 0, 1,
     kNewPhoneField + "alt+s alt+d alt+u alt+i alt+c alt+b alt+k g h", "ПР"},
    {"ControlWithALetterTypesInARussianMode", "us", "de_DE.UTF-8", 0, 1, kNewPhoneField + "click:side f ctrl+a ctrl+z",
     "АФЯ"},
    {"DeadKeysOfTheSystemLayoutReachTheTypewriter", "de", "de_DE.UTF-8", 0, 2, kNewPhoneField + "click:side = [", "ЪЮ"},
    {"LetterKeysGoByTheSystemLayoutsLetter", "de", "de_DE.UTF-8", 0, 1, kNewPhoneField + "click:side y z", "ЯН"},
    // The question whether to save the changes is answered "no" with the mouse: the program ends.
    {"TheExitButtonsQuestionTakesAClick", "us", "de_DE.UTF-8", 0, 1, kNewPhoneField + "a click:exit click:box:1",
     "closed", "window"},
    {"TheExitKeysQuestionTakesAClickWithTheMouseOnTheBar", "us", "de_DE.UTF-8", 0, 1,
     kNewPhoneField + "a move:exit alt+x click:box:1", "closed", "window"},
    // Clicks on the list only ask for a record; the highlight stays on the record shown.
    {"TheListHighlightStaysOnTheRecordShown", "us", "de_DE.UTF-8", 0, 1,
     "click:tab:1 click:radio:1119 click:data:1 click:row:0 click:row:9", "0 of 0", "highlight"},
};

// The time the program is given to take what the X server sent it.
constexpr int kSettleMs = 300;

// Xvfb on the first free display of :11 to :19, ended with the returned process. The display is
// taken only when this server announced it, so tests running side by side never share one.
std::unique_ptr<ChildProcess> StartXvfb(std::string& display) {
    for (int number = 11; number <= 19; ++number) {
        const std::string numeral = std::to_string(number);
        if (std::filesystem::exists("/tmp/.X" + numeral + "-lock"))
            continue;
        // The server writes the display number to -displayfd once it accepts clients; a server
        // that lost the display to another one ends without writing it. Without -noreset the
        // server would start afresh, with its default keyboard, when setxkbmap disconnects.
        auto server = std::make_unique<ChildProcess>(
            std::vector<std::string>{"sh", "-c",
                                     "exec Xvfb :" + numeral +
                                         " -displayfd 1 -noreset -nolisten tcp -screen 0 800x600x24 2>/dev/null"},
            true);
        if (server->WaitForOutput("\n", 10000) && server->Output() == numeral + "\n") {
            display = ":" + numeral;
            return server;
        }
    }
    return nullptr;
}

// The main window on the display, driven through the X server.
class Scene {
public:
    Scene() {
        m_main.show();
        m_main.activateWindow();
        (void)QTest::qWaitForWindowActive(&m_main);
    }

    // Does one step; the time the program is then given before the next.
    int Do(const std::string& step) {
        const std::size_t colon = step.find(':');
        const std::string action = step.substr(0, colon);
        if (step == "wait")
            return kSettleMs;
        if (action != "click" && action != "move") {
            PressKeys(step);
            return kSettleMs / 10;
        }
        auto [widget, rect] = Target(step.substr(colon + 1));
        if (!widget)
            throw std::runtime_error("no place for " + step);
        const QPoint global = widget->mapToGlobal(rect.center());
        SendPointer(global.x(), global.y(), action == "click");
        return kSettleMs; // the next place may be on the page this click opens
    }

    std::string Read(const std::string& reader) {
        if (reader == "focus") {
            if (auto* edit = qobject_cast<QPlainTextEdit*>(QApplication::focusWidget()))
                return edit->toPlainText().toStdString();
            return "(no record field has the focus)";
        }
        if (reader == "window")
            return m_main.isVisible() ? "open" : "closed";
        if (reader == "highlight") { // "<highlighted row> of <record shown>"
            const QModelIndexList rows = g_pDataPage->RecordList()->selectionModel()->selectedRows();
            return std::to_string(rows.empty() ? -1 : rows[0].row()) + " of " +
                   std::to_string(g_pDataPage->m_nCurRecord);
        }
        throw std::runtime_error("no reader " + reader);
    }

private:
    // A widget and the part of it that a user clicks in the middle of.
    std::pair<QWidget*, QRect> Target(const std::string& name) {
        const std::size_t colon = name.find(':');
        const std::string kind = name.substr(0, colon);
        const int number = colon == std::string::npos ? 0 : std::stoi(name.substr(colon + 1));
        auto whole = [](QWidget* widget) { return std::pair{widget, widget ? widget->rect() : QRect()}; };
        if (kind == "tab")
            return {m_main.TabCtrl()->Bar(), m_main.TabCtrl()->Bar()->tabRect(number)};
        if (kind == "side" || kind == "exit") {
            const int button = kind == "side" ? CMainDlg::kKeyboardSide : CMainDlg::kExit;
            return {m_main.ButtonBar(), m_main.ButtonBar()->ButtonRect(button)};
        }
        if (kind == "row") { // an item of the record list; below the last one for a row it does not have
            QListWidget* list = g_pDataPage->RecordList();
            QListWidgetItem* item = list->item(number);
            const QRect bottom(0, list->viewport()->height() - 8, list->viewport()->width(), 8);
            return {list->viewport(), item ? list->visualItemRect(item) : bottom};
        }
        if (kind == "command")
            return {g_pDataPage->CommandBar(), g_pDataPage->CommandBar()->ButtonRect(number)};
        if (kind == "field")
            return whole(g_pDataPage->FieldEdit(number));
        if (kind == "radio") // on its mark
            return {g_pDataPage->Item(number), QRect(0, 0, 13, g_pDataPage->Item(number)->height())};
        if (kind == "data")
            return whole(g_pDataPage->Item(number));
        if (kind == "box") { // the visible buttons of the modal box that is open, in their order
            QList<QWidget*> buttons;
            if (QWidget* box = QApplication::activeModalWidget())
                for (QAbstractButton* button : box->findChildren<QAbstractButton*>())
                    if (button->isVisible())
                        buttons << button;
            return whole(buttons.value(number));
        }
        return {nullptr, {}};
    }

    // "ctrl+shift+a": the modifiers down, the key down and up, the modifiers up.
    static void PressKeys(const std::string& chord) {
        static const std::map<std::string, unsigned> kModifiers = {{"shift", 50}, {"ctrl", 37}, {"alt", 64}};
        std::vector<unsigned> codes; // the modifiers held, then the key
        std::istringstream parts(chord);
        for (std::string part; std::getline(parts, part, '+');) {
            if (auto modifier = kModifiers.find(part); modifier != kModifiers.end())
                codes.push_back(modifier->second);
            else if (auto key = part.size() == 1 ? UsKeyOfCharacter(static_cast<char32_t>(part[0])) : std::nullopt)
                codes.push_back(static_cast<unsigned>(key->scanCode + 8));
            else
                throw std::runtime_error("no key " + chord);
        }
        for (unsigned code : codes)
            SendKey(code, true);
        for (auto code = codes.rbegin(); code != codes.rend(); ++code)
            SendKey(*code, false);
    }

    CMainDlg m_main;
};

// The case in this process: the application on the display the parent set up.
int RunCase(const DisplayCase& c, int argc, char** argv) {
    CLinkApp app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // the window that the user closed is then read
    Scene scene;
    // The steps run from the event loop, so that a step can answer a modal box an earlier one
    // opened; the program is given its time after the last one before the controls are read.
    std::istringstream script(c.script + " wait");
    std::function<void()> next = [&] {
        try {
            if (std::string step; script >> step) {
                QTimer::singleShot(scene.Do(step), next);
                return;
            }
            std::cout << "holds: " << scene.Read(c.reader) << std::endl;
            QCoreApplication::exit(0);
        } catch (const std::exception& error) {
            std::cout << "error: " << error.what() << std::endl;
            QCoreApplication::exit(1);
        }
    };
    QTimer::singleShot(0, next);
    return QCoreApplication::exec();
}

void PrintTo(const DisplayCase& c, std::ostream* out) { *out << c.name; }

class RealDisplayTest : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(RealDisplayTest, ControlsHoldWhatTheUserTyped) {
    const DisplayCase& c = GetParam();
    if (!ChildProcess::OnPath("Xvfb"))
        GTEST_SKIP() << "no Xvfb on this machine";
    std::string display;
    const auto server = StartXvfb(display);
    ASSERT_TRUE(server) << "no free display from :11 to :19";
    ChildProcess setxkbmap({"setxkbmap", "-display", display, "-layout", c.layouts}, true);
    ASSERT_EQ(setxkbmap.WaitForExit(10000), 0) << setxkbmap.Output();

    TempHome home;
    home.InstallDeliveredProfile();
    ASSERT_TRUE(WriteProfileInt("interface", "layouteng", c.layoutEng));
    ASSERT_TRUE(WriteProfileInt("interface", "layoutrus", c.layoutRus));
    g_records.assign(1, SectionRecord()); // the telephone book holds one record
    g_records[0].m_lstFields = {"ANNA", "123"};
    ASSERT_TRUE(SaveSection(kSectionTelephone));
    setenv("DISPLAY", display.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    setenv("LANG", c.lang, 1);
    unsetenv("LC_ALL");
    // The X and font libraries keep their caches to the end of the process; the program's own
    // memory is checked by the window tests.
    const char* asan = getenv("ASAN_OPTIONS");
    setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str(), 1);
    ChildProcess program({std::filesystem::canonical("/proc/self/exe"), std::string("--display-case=") + c.name}, true);
    ASSERT_EQ(program.WaitForExit(20000), 0) << program.Output();
    EXPECT_NE(program.Output().find(std::string("holds: ") + c.expected + "\n"), std::string::npos) << program.Output();
}

INSTANTIATE_TEST_SUITE_P(Cases, RealDisplayTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<DisplayCase>& info) { return info.param.name; });

} // namespace

int main(int argc, char** argv) {
    for (const DisplayCase& c : kCases)
        if (argc > 1 && std::string("--display-case=") + c.name == argv[1])
            return RunCase(c, argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
