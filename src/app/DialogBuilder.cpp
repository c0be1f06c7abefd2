// Windows made from dialog templates: controls placed by dialog units and
// found by id.
#include "app/DialogBuilder.h"

#include "app/CGroupFrame.h"
#include "app/ProgramFonts.h"
#include "controls/PcString.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

namespace {

QWidget* CreateStandardControl(const ControlTemplate& control, QWidget* parent) {
    const QString text = QString::fromLatin1(control.text);
    switch (control.kind) {
    case ControlKind::GroupBox:
        return new CGroupFrame(text, parent);
    case ControlKind::RadioButton: {
        auto* radio = new QRadioButton(text, parent);
        radio->setAutoExclusive(false); // grouped by the template, not by the parent
        return radio;
    }
    case ControlKind::PushButton: {
        // Enter is the dialogs' own business (their pre-translation), never Qt's
        // default-button handling.
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        return button;
    }
    case ControlKind::Text: {
        auto* label = new QLabel(text, parent);
        label->setWordWrap(true);
        label->setAlignment((control.style & kStyleCentred) ? Qt::AlignHCenter | Qt::AlignTop
                                                            : Qt::AlignLeft | Qt::AlignTop);
        return label;
    }
    case ControlKind::Frame: {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle((control.style & kStyleBorder) ? QFrame::StyledPanel | QFrame::Sunken : QFrame::NoFrame);
        return frame;
    }
    case ControlKind::Picture: {
        auto* picture = new QLabel(parent);
        picture->setAlignment(Qt::AlignCenter);
        return picture;
    }
    case ControlKind::ComboBox:
        return new QComboBox(parent);
    case ControlKind::ListBox:
        return new QListWidget(parent);
    case ControlKind::Edit:
        if (control.style & kStyleMultiline)
            return new QPlainTextEdit(parent);
        return new QLineEdit(parent);
    case ControlKind::ProgressBar: {
        auto* bar = new QProgressBar(parent);
        bar->setTextVisible(false);
        return bar;
    }
    case ControlKind::TabControl:
        return new QTabBar(parent);
    }
    return new QWidget(parent);
}

void ApplyStyle(QWidget* widget, const ControlTemplate& control) {
    if (control.style & kStyleTabStop)
        widget->setFocusPolicy(Qt::StrongFocus);
    else if (qobject_cast<QAbstractButton*>(widget))
        widget->setFocusPolicy(Qt::ClickFocus);
    if (control.style & kStyleDisabled)
        widget->setEnabled(false);
    if (control.style & kStyleHidden)
        widget->hide();
}

} // namespace

DialogBaseUnits BaseUnitsOf(const QFont& font) {
    // The platform's way: the average width of the 52 letters, rounded, and
    // the font's line height.
    QFontMetrics metrics(font);
    int letters = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {(letters / 26 + 1) / 2, metrics.height()};
}

DialogBaseUnits TemplateBaseUnits() { return BaseUnitsOf(DialogTemplateFont()); }

QRect DialogUnitsToPixels(int x, int y, int cx, int cy) {
    DialogBaseUnits units = TemplateBaseUnits();
    int left = x * units.cx / 4;
    int top = y * units.cy / 8;
    int right = (x + cx) * units.cx / 4;
    int bottom = (y + cy) * units.cy / 8;
    return QRect(left, top, right - left, bottom - top);
}

void BuildDialog(QWidget* dialog, const DialogTemplate& dialogTemplate, const ControlFactory& factory) {
    dialog->setObjectName(QString::number(dialogTemplate.id));
    dialog->setFont(NormalFont());
    QRect size = DialogUnitsToPixels(0, 0, dialogTemplate.cx, dialogTemplate.cy);
    dialog->resize(size.size());

    QButtonGroup* radioGroup = nullptr;
    for (const ControlTemplate& control : dialogTemplate.controls) {
        if (control.style & kStyleGroup)
            radioGroup = nullptr;
        QWidget* widget = factory ? factory(control, dialog) : nullptr;
        if (!widget)
            widget = CreateStandardControl(control, dialog);
        widget->setObjectName(QString::number(control.id));
        QRect place = DialogUnitsToPixels(control.x, control.y, control.cx, control.cy);
        // A drop-down list's template height is that of its open list; closed,
        // it is one line high.
        if (control.kind == ControlKind::ComboBox)
            place.setHeight(widget->sizeHint().height());
        widget->setGeometry(place);
        ApplyStyle(widget, control);
        if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
            if (!radioGroup)
                radioGroup = new QButtonGroup(dialog);
            radioGroup->addButton(radio, control.id);
        }
    }
}

QWidget* GetDlgItem(const QWidget* dialog, int id) {
    return dialog->findChild<QWidget*>(QString::number(id), Qt::FindDirectChildrenOnly);
}

void SetControlText(QWidget* control, const std::string& pcText) {
    QString text = PcToQString(pcText);
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        group->setTitle(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(control))
        edit->setText(text);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(control))
        plain->setPlainText(text);
    else if (control)
        control->setWindowTitle(text);
}

void SetDlgItemText(const QWidget* dialog, int id, const std::string& pcText) {
    SetControlText(GetDlgItem(dialog, id), pcText);
}

std::string GetControlText(const QWidget* control) {
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return QStringToPc(button->text());
    if (auto* label = qobject_cast<const QLabel*>(control))
        return QStringToPc(label->text());
    if (auto* group = qobject_cast<const QGroupBox*>(control))
        return QStringToPc(group->title());
    if (auto* edit = qobject_cast<const QLineEdit*>(control))
        return QStringToPc(edit->text());
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(control))
        return QStringToPc(plain->toPlainText());
    return control ? QStringToPc(control->windowTitle()) : std::string();
}

bool IsDlgButtonChecked(const QWidget* dialog, int id) {
    auto* button = DlgItem<QAbstractButton>(dialog, id);
    return button && button->isChecked();
}

void CheckDlgButton(const QWidget* dialog, int id, bool checked) {
    auto* button = DlgItem<QAbstractButton>(dialog, id);
    if (!button)
        return;
    QButtonGroup* group = button->group();
    const bool exclusive = group && group->exclusive();
    if (exclusive && !checked)
        group->setExclusive(false); // an exclusive group would refuse to uncheck its checked button
    button->setChecked(checked);
    if (exclusive && !checked)
        group->setExclusive(true);
}
