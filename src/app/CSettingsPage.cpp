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
#include <QMenu>
#include <QPushButton>

#include <array>

CSettingsPage* g_pSettingsPage = nullptr;

namespace {

constexpr std::array kPortRadios{1015, 1016, 1017, 1018};
static_assert(kPortRadios.size() == kComPortCount);

QString MenuText(const FoundSerialDevice& found) {
    QString text = QString::fromStdString(found.device);
    if (found.systemName != found.device)
        text += QString(" (%1)").arg(QString::fromStdString(found.systemName));
    if (!found.description.empty())
        text += QString::fromUtf8(" \u2013 ") + QString::fromStdString(found.description);
    if (found.vendorId >= 0)
        text += QString(" [%1]").arg(QString::fromStdString(UsbIdsText(found)));
    return text;
}

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
    for (std::size_t port = 0; port < kPortRadios.size(); ++port) {
        QWidget* radio = Item(kPortRadios[port]);
        radio->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(radio, &QWidget::customContextMenuRequested, this,
                [this, port](const QPoint& position) { ShowComDeviceMenu(port, position); });
    }

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
    m_comDeviceChoices = {};
    UpdateComToolTips();
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
    UpdateComToolTips();
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

    const int previous = m_nComPort;
    for (std::size_t i = 0; i < kPortRadios.size(); ++i)
        if (IsDlgButtonChecked(this, kPortRadios[i]))
            m_nComPort = static_cast<int>(i);
    const bool opened = TestComPort(CurrentSerialDeviceSource().List());
    m_comDeviceChoices = {};
    if (!opened) {
        PrepareMessageBox(IDI_HAND, LoadText("35"), "", LoadText("47"));
        g_msgBox.DoModal();
        m_nComPort = previous;
        for (int id : kPortRadios)
            CheckDlgButton(this, id, false);
        if (m_nComPort >= 0 && m_nComPort < static_cast<int>(kPortRadios.size()))
            CheckDlgButton(this, kPortRadios[static_cast<std::size_t>(m_nComPort)], true);
    }
    UpdateComToolTips();
}

// The port is tested by opening it; it stays open when it opened, and only
// then are its number and its newly chosen device written. Devices chosen for
// the other ports are not in use, so they are written as they are.
bool CSettingsPage::TestComPort(const std::vector<FoundSerialDevice>& found) {
    const auto tested = static_cast<std::size_t>(m_nComPort);
    for (std::size_t port = 0; port < m_comDeviceChoices.size(); ++port)
        if (port != tested && m_comDeviceChoices[port])
            WriteComDeviceName(static_cast<int>(port) + 1, *m_comDeviceChoices[port]);
    const bool inRange = tested < m_comDeviceChoices.size();
    if (!(inRange ? CurrentComPort().OpenDevice(RadioDevices(found)[tested]) : OpenComPort(m_nComPort + 1)))
        return false;
    if (inRange && m_comDeviceChoices[tested])
        WriteComDeviceName(m_nComPort + 1, *m_comDeviceChoices[tested]);
    WriteSetting(kSettingComPort, m_nComPort);
    return true;
}

std::vector<std::string> CSettingsPage::RadioDevices(const std::vector<FoundSerialDevice>& found,
                                                     std::size_t asDefault) const {
    std::vector<std::string> named = NamedComDevices();
    for (std::size_t port = 0; port < named.size(); ++port)
        if (port == asDefault)
            named[port].clear();
        else if (m_comDeviceChoices[port])
            named[port] = *m_comDeviceChoices[port];
    return ComDevices(found, named);
}

void CSettingsPage::ShowComDeviceMenu(std::size_t port, const QPoint& position) {
    const std::vector<FoundSerialDevice> found = CurrentSerialDeviceSource().List();
    const std::string current = RadioDevices(found)[port];
    const std::optional<std::string>& choice = m_comDeviceChoices[port];
    const bool isDefault = choice ? choice->empty() : NamedComDevices()[port].empty();
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto addChoice = [&](const QString& text, const std::string& device, bool checked) {
        QAction* action = menu->addAction(text);
        action->setCheckable(true);
        action->setChecked(checked);
        connect(action, &QAction::triggered, this, [this, port, device] { ChooseComDevice(port, device); });
    };
    for (const FoundSerialDevice& device : InPortOrder(found))
        addChoice(MenuText(device), device.device, !isDefault && device.device == current);
    menu->addSeparator();
    addChoice(
        QString("%1 (%2)").arg(PcToQString(LoadText("161")), QString::fromStdString(RadioDevices(found, port)[port])),
        "", isDefault);
    menu->popup(Item(kPortRadios[port])->mapToGlobal(position));
}

// Choosing a device for a port also chooses the port, as a click on its radio does.
void CSettingsPage::ChooseComDevice(std::size_t port, const std::string& device) {
    m_comDeviceChoices[port] = device;
    for (int id : kPortRadios)
        CheckDlgButton(this, id, false);
    CheckDlgButton(this, kPortRadios[port], true);
    ++m_nChangeCount;
    UpdateComToolTips();
}

// Each radio shows the device it opens; one that refuses this user also says
// which group to join, since the message of a failed test cannot tell.
void CSettingsPage::UpdateComToolTips() {
    SerialDeviceSource& source = CurrentSerialDeviceSource();
    const std::vector<std::string> devices = RadioDevices(source.List());
    for (std::size_t port = 0; port < kPortRadios.size(); ++port) {
        const std::string& device = devices[port];
        QString tip = QString::fromStdString(device);
        if (std::string group = source.Access(device).groupToJoin; !group.empty())
            tip += QString("\n%1 %2").arg(PcToQString(LoadText("160")), QString::fromStdString(group));
        Item(kPortRadios[port])->setToolTip(tip);
    }
}

bool CSettingsPage::PreTranslateMessage(QObject* receiver, QEvent* event) {
    if (!IsEnterKey(event))
        return false;
    // A key goes to the control that has the focus.
    if (event->type() == QEvent::KeyPress && receiver == Item(IDOK))
        ApplySettings();
    return true;
}
