// The program's own message boxes.
#include "app/CMessageBoxDlg.h"

#include "app/DialogBuilder.h"
#include "app/MessageBoxSeam.h"
#include "app/ProgramFonts.h"
#include "controls/PcString.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

MessageBoxParams g_msgBoxParams;
CMessageBoxDlg g_msgBox(IDD_MESSAGEBOX);
CMessageBoxDlg g_msgBoxLarge(IDD_MESSAGEBOX_LARGE);

void PrepareMessageBox(int icon, std::string okText, std::string cancelText, std::string message) {
    g_msgBoxParams.font = NormalFont();
    g_msgBoxParams.icon = icon;
    g_msgBoxParams.texts[0] = "KL840T Link";
    g_msgBoxParams.texts[3] = std::move(message);
    g_msgBoxParams.texts[1] = std::move(okText);
    g_msgBoxParams.texts[2] = std::move(cancelText);
    g_msgBoxParams.texts[4].clear();
}

void ReleaseMouseCapture() {
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
}

namespace {

QStyle::StandardPixmap StockIcon(int icon) {
    switch (icon) {
    case IDI_HAND:
        return QStyle::SP_MessageBoxCritical;
    case IDI_QUESTION:
        return QStyle::SP_MessageBoxQuestion;
    default:
        return QStyle::SP_MessageBoxInformation;
    }
}

// The window of one run. It can be left only through its buttons (or Escape,
// which answers Cancel): the title bar has no close button and a close request
// from elsewhere is refused.
class CMessageBoxWindow : public QDialog {
public:
    explicit CMessageBoxWindow(int templateId) {
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        BuildDialog(this, FindDialogTemplate(templateId));
        setFixedSize(size());
        OnInitDialog();
    }

protected:
    void closeEvent(QCloseEvent* event) override { event->ignore(); }

    // Enter presses the button that has the focus, OK when none has; it works
    // also while a keyboard emulation is on, which hands the key over as its
    // character (CR) alone.
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->text() == "\r";
        if (!enter) {
            QDialog::keyPressEvent(event);
            return;
        }
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        (focused && focused->isVisible() ? focused : DlgItem<QPushButton>(this, IDOK_RESULT))->click();
    }

private:
    void OnInitDialog() {
        const MessageBoxParams& params = g_msgBoxParams;
        auto* ok = DlgItem<QPushButton>(this, IDOK_RESULT);
        auto* cancel = DlgItem<QPushButton>(this, IDCANCEL_RESULT);
        auto* third = DlgItem<QPushButton>(this, 3);
        auto* message = DlgItem<QLabel>(this, 1102);
        auto* icon = DlgItem<QLabel>(this, 1101);
        for (QWidget* control : {static_cast<QWidget*>(ok), static_cast<QWidget*>(cancel), static_cast<QWidget*>(third),
                                 static_cast<QWidget*>(message)})
            control->setFont(params.font);

        icon->setPixmap(style()->standardIcon(StockIcon(params.icon)).pixmap(32, 32));
        icon->setProperty("stockIcon", params.icon);
        setWindowTitle(PcToQString(params.texts[0]));
        SetControlText(message, params.texts[3]);
        message->setAccessibleName(message->text());
        SetControlText(ok, params.texts[1]);

        third->setEnabled(false);
        third->hide();

        if (!params.texts[2].empty()) {
            cancel->setEnabled(true);
            cancel->show();
            SetControlText(cancel, params.texts[2]);
        } else {
            cancel->setEnabled(false);
            cancel->hide();
            ok->move(width() / 2 - ok->width() / 2, ok->y());
        }

        connect(ok, &QPushButton::clicked, this, [this] { done(IDOK_RESULT); });
        connect(cancel, &QPushButton::clicked, this, [this] { done(IDCANCEL_RESULT); });

        if (QScreen* screen = QApplication::primaryScreen()) {
            QRect area = screen->availableGeometry();
            move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
        }
        ok->setFocus();
    }

    void reject() override { done(IDCANCEL_RESULT); }
};

} // namespace

int CMessageBoxDlg::DoModal() {
    ReleaseMouseCapture();
    CMessageBoxWindow box(m_nTemplate);
    if (MessageBoxSeam::IsActive()) {
        auto* cancel = DlgItem<QPushButton>(&box, IDCANCEL_RESULT);
        auto* ok = DlgItem<QPushButton>(&box, IDOK_RESULT);
        ShownMessageBox shown;
        shown.templateId = m_nTemplate;
        shown.icon = g_msgBoxParams.icon;
        shown.caption = box.windowTitle();
        shown.message = g_msgBoxParams.texts[3];
        shown.okText = GetControlText(ok);
        shown.cancelText = cancel->isHidden() ? std::string() : GetControlText(cancel);
        shown.okCentred = ok->x() == box.width() / 2 - ok->width() / 2;
        shown.thirdButtonVisible = !DlgItem<QPushButton>(&box, 3)->isHidden();
        shown.closable = box.windowFlags().testFlag(Qt::WindowCloseButtonHint);
        return MessageBoxSeam::Answer(box, shown);
    }
    return box.exec();
}
