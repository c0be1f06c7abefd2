// A group box drawn as the dialog templates expect it: the caption sits on
// the frame's top line, so the controls placed inside start right below it.
#pragma once

#include <QGroupBox>

class CGroupFrame : public QGroupBox {
    Q_OBJECT
public:
    CGroupFrame(const QString& title, QWidget* parent) : QGroupBox(title, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};
