// The Settings page: interface language, serial port and keyboard layouts.
#pragma once

#include "app/CChildDialog.h"

#include <string>

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

    std::string m_strLanguageSection;
};

extern CSettingsPage* g_pSettingsPage;
