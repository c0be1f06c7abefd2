// A page of the main window: a child dialog made from its template.
#pragma once

#include "app/DialogBuilder.h"
#include "app/PreTranslate.h"

#include <QWidget>

class CChildDialog : public QWidget, public CPreTranslating {
    Q_OBJECT
public:
    CChildDialog(int templateId, QWidget* parent, const ControlFactory& factory = {});

    QWidget* Item(int id) const { return GetDlgItem(this, id); }
    template <typename T> T* Item(int id) const { return DlgItem<T>(this, id); }

    bool PreTranslateMessage(QObject* receiver, QEvent* event) override;

protected:
    static bool IsEnterKey(const QEvent* event);
};
