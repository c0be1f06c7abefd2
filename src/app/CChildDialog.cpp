// A page of the main window: a child dialog made from its template.
#include "app/CChildDialog.h"

#include <QKeyEvent>

CChildDialog::CChildDialog(int templateId, QWidget* parent, const ControlFactory& factory) : QWidget(parent) {
    BuildDialog(this, FindDialogTemplate(templateId), factory);
}

bool CChildDialog::PreTranslateMessage(QObject*, QEvent*) { return false; }

bool CChildDialog::IsEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}
