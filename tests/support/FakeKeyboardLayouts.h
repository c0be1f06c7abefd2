// A keyboard-layout double: a list of installed layout names, one of them active.
#pragma once

#include "keyboard/KeyboardLayouts.h"

#include <numeric>
#include <utility>

// The handle of a layout is its index in the installed list.
class FakeKeyboardLayouts final : public KeyboardLayouts {
public:
    explicit FakeKeyboardLayouts(std::vector<std::string> installed, std::size_t active = 0)
        : m_installed(std::move(installed)), m_active(active) {}

    std::string ActiveLayoutName() const override { return m_installed.at(m_active); }
    Handle ActiveLayout() const override { return m_active; }
    std::vector<Handle> InstalledLayouts() const override {
        std::vector<Handle> handles(m_installed.size());
        std::iota(handles.begin(), handles.end(), Handle{0});
        return handles;
    }
    void Activate(Handle layout) override {
        if (layout < m_installed.size())
            m_active = layout;
    }

private:
    std::vector<std::string> m_installed;
    std::size_t m_active;
};
