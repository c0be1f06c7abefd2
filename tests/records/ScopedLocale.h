// Installs a fixed locale for the lifetime of a test scope.
#pragma once

#include "records/LocaleSource.h"

#include <string>

class ScopedLocale {
public:
    ScopedLocale(std::string dateOrder, std::string clockFormat)
        : m_locale(std::move(dateOrder), std::move(clockFormat)) {
        InstallLocaleSource(&m_locale);
    }
    ~ScopedLocale() { InstallLocaleSource(nullptr); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;

private:
    FixedLocaleSource m_locale;
};
