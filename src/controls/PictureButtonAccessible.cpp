// What screen readers and automation tools see of a picture-button bar: one push button per picture.
#include "controls/PictureButtonAccessible.h"

#include "controls/CPictureButtonBar.h"
#include "controls/CTipWindow.h"
#include "controls/PcString.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

#include <vector>

namespace {

class PictureButtonInterface final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    PictureButtonInterface(CPictureButtonBar* bar, int index) : m_bar(bar), m_index(index) {}

    bool isValid() const override { return m_bar && m_index < m_bar->ButtonCount(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_bar ? m_bar->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_bar.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name || !isValid())
            return {};
        // The tool of the bar's tip that covers the button carries its name.
        const CTipWindow* tips = CTipWindow::ForOwner(m_bar);
        return tips ? PcToQString(tips->ToolTextAt(m_bar->ButtonRect(m_index).center())) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override {
        if (!isValid())
            return {};
        QRect r = m_bar->ButtonRect(m_index);
        return QRect(m_bar->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::Button; }

    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.disabled = m_bar->IsButtonDisabled(m_index);
        s.pressed = m_bar->IsButtonPressed(m_index);
        s.hotTracked = m_bar->IsButtonHot(m_index);
        s.invisible = !m_bar->isVisible();
        if (m_bar->ButtonStateCount(m_index) > 1) {
            s.checkable = true;
            s.checked = m_bar->ButtonState(m_index) == 1;
        }
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && isValid())
            m_bar->ClickButton(m_index);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<CPictureButtonBar> m_bar;
    int m_index;
};

class PictureButtonBarInterface final : public QAccessibleWidget {
public:
    explicit PictureButtonBarInterface(CPictureButtonBar* bar) : QAccessibleWidget(bar, QAccessible::ToolBar) {}
    ~PictureButtonBarInterface() override {
        for (QAccessible::Id id : m_children)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return Bar()->ButtonCount(); }

    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        while (static_cast<int>(m_children.size()) <= index) {
            auto* button = new PictureButtonInterface(Bar(), static_cast<int>(m_children.size()));
            m_children.push_back(QAccessible::registerAccessibleInterface(button));
        }
        return QAccessible::accessibleInterface(m_children[static_cast<std::size_t>(index)]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        for (std::size_t i = 0; i < m_children.size(); ++i)
            if (QAccessible::accessibleInterface(m_children[i]) == child)
                return static_cast<int>(i);
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override {
        QPoint point = Bar()->mapFromGlobal(QPoint(x, y));
        for (int i = 0; i < childCount(); ++i)
            if (Bar()->ButtonRect(i).contains(point))
                return child(i);
        return nullptr;
    }

private:
    CPictureButtonBar* Bar() const { return static_cast<CPictureButtonBar*>(widget()); }

    mutable std::vector<QAccessible::Id> m_children;
};

QAccessibleInterface* PictureButtonFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("CPictureButtonBar") && object && object->isWidgetType())
        return new PictureButtonBarInterface(static_cast<CPictureButtonBar*>(object));
    return nullptr;
}

} // namespace

void InstallPictureButtonAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(PictureButtonFactory);
        return true;
    }();
    (void)installed;
}
