// The Data page: the section choice, the record list and the record editor.
#pragma once

#include "app/CChildDialog.h"

#include <string>

class CDataPage : public CChildDialog {
    Q_OBJECT
public:
    explicit CDataPage(QWidget* parent);

    void SetTexts();
    void ResetPage();
    void FillFieldCombo();
    // The field choice holds items once a section is loaded.
    bool HasFieldChoice() const;

    bool PreTranslateMessage(QObject* receiver, QEvent* event) override;

    int m_bModified = 0;
    int m_bSelectView = 1;
    int m_nSection = 1;
    int m_nFieldCount = 3;
    int m_nListField = 0;
    int m_nCurRecord = -1;

protected:
    bool event(QEvent* event) override;

private:
    void OnInitDialog();
    void OnSave();
};

extern CDataPage* g_pDataPage;
