// The About box: the program's name and version.
#include "app/CAboutDlg.h"

#include "app/DialogBuilder.h"
#include "app/ProgramVersion.h"
#include "res/Pictures.h"

#include <QKeyEvent>
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
    DlgItem<QLabel>(this, 1124)->setText(kVersionLine);
    auto* ok = DlgItem<QPushButton>(this, 1);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

// Enter presses OK, the default button, also while a keyboard emulation hands the key over as its
// character (CR) alone.
void CAboutDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->text() == "\r")
        DlgItem<QPushButton>(this, 1)->click();
    else
        QDialog::keyPressEvent(event);
}
