// The About box: the program's name and version.
#include "app/CAboutDlg.h"

#include "app/DialogBuilder.h"
#include "res/Pictures.h"

#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    const DialogTemplate& dialogTemplate = FindDialogTemplate(IDD_ABOUTBOX);
    BuildDialog(this, dialogTemplate);
    setFixedSize(size());
    setWindowTitle(dialogTemplate.caption);
    DlgItem<QLabel>(this, 10)->setPixmap(ProgramIcon().pixmap(32, 32));
    DlgItem<QLabel>(this, 1111)->setText("Orvela KL840T - PC link");
    DlgItem<QLabel>(this, 1124)->setText("Version 1.0.3");
    connect(DlgItem<QPushButton>(this, 1), &QPushButton::clicked, this, &QDialog::accept);
}
