// Windows made from dialog templates: controls placed by dialog units and
// found by id.
#pragma once

#include "res/DialogTemplates.h"

#include <QRect>
#include <QString>

#include <functional>
#include <string>

class QButtonGroup;
class QFont;
class QWidget;

// The dialog units of a font: x = dlu * cx / 4, y = dlu * cy / 8.
struct DialogBaseUnits {
    int cx;
    int cy;
};

DialogBaseUnits BaseUnitsOf(const QFont& font);
DialogBaseUnits TemplateBaseUnits();
QRect DialogUnitsToPixels(int x, int y, int cx, int cy);

// Makes a control of a template entry itself, or returns nullptr to leave it
// to the builder.
using ControlFactory = std::function<QWidget*(const ControlTemplate& control, QWidget* parent)>;

// Sizes the dialog to the template and creates its controls as its children,
// in template order, each named by its id. Radio buttons that follow a group
// start form one exclusive group; the group boxes stay behind the controls.
void BuildDialog(QWidget* dialog, const DialogTemplate& dialogTemplate, const ControlFactory& factory = {});

// The control of the given id among the dialog's children, or nullptr.
QWidget* GetDlgItem(const QWidget* dialog, int id);

template <typename T> T* DlgItem(const QWidget* dialog, int id) { return qobject_cast<T*>(GetDlgItem(dialog, id)); }

// Texts in the PC character set, shown through the program's display map.
void SetControlText(QWidget* control, const std::string& pcText);
void SetDlgItemText(const QWidget* dialog, int id, const std::string& pcText);
std::string GetControlText(const QWidget* control);

// Radio buttons as the dialog manager treats them: any of them may be
// unchecked, even the checked one of a group.
bool IsDlgButtonChecked(const QWidget* dialog, int id);
void CheckDlgButton(const QWidget* dialog, int id, bool checked);
