// The About box: the program's name and version.
#pragma once

#include <QDialog>

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
