// The Settings page: interface language, serial port and keyboard layouts.
#include "app/CSettingsPage.h"

#include "app/CMainDlg.h"
#include "app/CMessageBoxDlg.h"
#include "app/Profile.h"
#include "app/Texts.h"
#include "app/WindowMessages.h"
#include "controls/PcString.h"
#include "keyboard/KeyboardModes.h"
#include "link/ProcessComPort.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>

#include <array>

CSettingsPage* g_pSettingsPage = nullptr;

namespace {

constexpr std::array kPortRadios{1015, 1016, 1017, 1018};

} // namespace

CSettingsPage::CSettingsPage(QWidget* parent) : CChildDialog(IDD_SETTINGS, parent) {
    g_pSettingsPage = this;
    OnInitDialog();
}

void CSettingsPage::OnInitDialog() {
    for (int id : {1019, 1111, 1112}) {
        Item(id)->hide();
        Item(id)->setEnabled(false);
    }
    ArrangeForTwoLanguages();

    for (int id : {1013, 1014, 1015, 1016, 1017, 1018})
        connect(Item<QAbstractButton>(id), &QAbstractButton::clicked, this, [this] { ++m_nChangeCount; });
    for (int id : {1107, 1108})
        connect(Item<QComboBox>(id), &QComboBox::activated, this, [this] { ++m_nChangeCount; });
    connect(Item<QPushButton>(IDOK), &QPushButton::clicked, this, [this] { ApplySettings(); });

    LoadSettings();
    UpdateTexts();
}

// The template has room for three languages; with two, the two radio buttons
// are spread over the group and the layout group is made to end on the same
// line as the language group. The radios move towards each other by half of a
// sixth of the group's height each, which keeps them apart at every font size.
void CSettingsPage::ArrangeForTwoLanguages() {
    QRect language = Item(1029)->geometry();
    int step = language.height() / 6 / 2;
    QWidget* layoutGroup = Item(1106);
    QRect layout = layoutGroup->geometry();
    layoutGroup->setGeometry(layout.x(), layout.y(), layout.width(), language.y() + language.height() - layout.y());
    Item(1014)->setGeometry(Item(1019)->geometry().translated(0, -step));
    Item(1013)->move(Item(1013)->x(), Item(1013)->y() + step);
}

void CSettingsPage::SetLanguageSection() {
    if (const char* name = LanguageSectionName(m_nLanguage))
        m_strLanguageSection = name;
}

void CSettingsPage::LoadSettings() {
    for (int id : {1013, 1014, 1015, 1016, 1017, 1018})
        CheckDlgButton(this, id, false);
    m_nLanguage = ReadSetting(kSettingLanguage);
    m_nComPort = ReadSetting(kSettingComPort);
    if (m_nLanguage == 0 || m_nLanguage == 1)
        CheckDlgButton(this, m_nLanguage == 0 ? 1013 : 1014, true);
    if (m_nComPort >= 0 && m_nComPort < static_cast<int>(kPortRadios.size()))
        CheckDlgButton(this, kPortRadios[static_cast<std::size_t>(m_nComPort)], true);
    m_nChangeCount = 0;
    Item<QComboBox>(1108)->setCurrentIndex(ReadSetting(kSettingLayoutLatin));
    Item<QComboBox>(1107)->setCurrentIndex(ReadSetting(kSettingLayoutCyrillic));
}

void CSettingsPage::FillLayoutList(int id, bool cyrillic) {
    auto* list = Item<QComboBox>(id);
    int selected = list->currentIndex();
    list->clear();
    list->addItem(PcToQString(LoadText("53")));
    list->addItem(PcToQString(LoadText(cyrillic ? "55ru" : "54ge")));
    if (cyrillic) {
        std::string third = LoadText("56ru");
        if (third != kMissingText)
            list->addItem(PcToQString(third));
    }
    list->setCurrentIndex(selected);
}

void CSettingsPage::UpdateTexts() {
    SetLanguageSection();
    static constexpr std::pair<int, const char*> kTexts[] = {
        {1029, "17"}, {1030, "18"}, {1106, "52"}, {1013, "43ge"}, {1014, "44ru"}, {1015, "19"},
        {1016, "20"}, {1017, "21"}, {1018, "22"}, {IDOK, "24"},   {1109, "57ge"}, {1110, "58ru"},
    };
    for (auto [id, key] : kTexts)
        SetDlgItemText(this, id, LoadText(key));
    FillLayoutList(1108, false);
    FillLayoutList(1107, true);
}

void CSettingsPage::ApplySettings() {
    m_nChangeCount = 0;
    m_nLanguage = IsDlgButtonChecked(this, 1013) ? 0 : 1;
    WriteSetting(kSettingLanguage, m_nLanguage);
    UpdateTexts();
    if (g_pMainDlg)
        g_pMainDlg->UpdateTexts();

    int latin = Item<QComboBox>(1108)->currentIndex();
    int cyrillic = Item<QComboBox>(1107)->currentIndex();
    WriteSetting(kSettingLayoutLatin, latin);
    WriteSetting(kSettingLayoutCyrillic, cyrillic);

    if (g_pMainDlg) {
        // Unlike the side's own toggle, the system layout is not looked for here.
        int side = g_pMainDlg->GetKeyboardSide();
        if (auto command = LayoutOptionCommand(side, side == 0 ? latin : cyrillic))
            PostMessage(g_pMainDlg, WM_KBD_OFF + static_cast<unsigned>(*command));
    }

    // The port is tested by opening it; it stays open when it opened.
    const int previous = m_nComPort;
    for (std::size_t i = 0; i < kPortRadios.size(); ++i)
        if (IsDlgButtonChecked(this, kPortRadios[i]))
            m_nComPort = static_cast<int>(i);
    if (OpenComPort(m_nComPort + 1)) {
        WriteSetting(kSettingComPort, m_nComPort);
        return;
    }
    PrepareMessageBox(IDI_HAND, LoadText("35"), "", LoadText("47"));
    g_msgBox.DoModal();
    m_nComPort = previous;
    for (int id : kPortRadios)
        CheckDlgButton(this, id, false);
    if (m_nComPort >= 0 && m_nComPort < static_cast<int>(kPortRadios.size()))
        CheckDlgButton(this, kPortRadios[static_cast<std::size_t>(m_nComPort)], true);
}

bool CSettingsPage::PreTranslateMessage(QObject* receiver, QEvent* event) {
    if (!IsEnterKey(event))
        return false;
    // A key goes to the control that has the focus.
    if (event->type() == QEvent::KeyPress && receiver == Item(IDOK))
        ApplySettings();
    return true;
}
