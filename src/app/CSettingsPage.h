// The Settings page: interface language, serial port and keyboard layouts.
#pragma once

#include "app/CChildDialog.h"
#include "link/ComDeviceName.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

class CSettingsPage : public CChildDialog {
    Q_OBJECT
public:
    explicit CSettingsPage(QWidget* parent);

    std::string GetLanguageSection() const { return m_strLanguageSection; }
    void SetLanguageSection();
    void LoadSettings();
    void UpdateTexts();
    void ApplySettings();

    bool PreTranslateMessage(QObject* receiver, QEvent* event) override;

    int m_nComPort = 0;
    int m_nLanguage = 0;
    int m_nChangeCount = 0;

private:
    void OnInitDialog();
    void ArrangeForTwoLanguages();
    void FillLayoutList(int id, bool withOptionalThird);

    // The devices behind the COM radios: each radio's right-click menu
    // chooses one, its tool tip shows it.
    void ShowComDeviceMenu(std::size_t port, const QPoint& position);
    void ChooseComDevice(std::size_t port, const std::string& device);
    // The devices the radios stand for: the profile's, changed by the choices
    // not yet applied; the port `asDefault` with its default device.
    std::vector<std::string> RadioDevices(const std::vector<FoundSerialDevice>& found,
                                          std::size_t asDefault = kComPortCount) const;
    void UpdateComToolTips();
    bool TestComPort(const std::vector<FoundSerialDevice>& found);
    // Chosen in a menu and not yet applied; an empty name stands for the default.
    std::array<std::optional<std::string>, kComPortCount> m_comDeviceChoices;

    std::string m_strLanguageSection;
};

extern CSettingsPage* g_pSettingsPage;
