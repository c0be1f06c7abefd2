// The Exchange page: direction and section of a transfer, its start and STOP,
// and its progress.
#pragma once

#include "app/CChildDialog.h"

class CExchangePage : public CChildDialog {
    Q_OBJECT
public:
    explicit CExchangePage(QWidget* parent);

    void UpdateTexts();
    void UpdateStartButtonText();
    void EnableSectionRadios(bool enable);
    void EnableControls(bool enable);
    void OnOK();

    bool PreTranslateMessage(QObject* receiver, QEvent* event) override;

    int m_nDirection = 1; // 1 upload, 2 download
    int m_bStop = 0;

    // A transfer is running (the page's start handler has not returned).
    bool IsTransferring() const { return m_bTransferring; }

private:
    friend class ExchangeTransferPage;

    void OnInitDialog();
    void ShowProgressItems(bool show);

    bool m_bTransferring = false;
};

extern CExchangePage* g_pExchangePage;
