// Installs a fixed locale for the lifetime of a test scope.
#pragma once

#include "records/LocaleSource.h"

#include <string>

class ScopedLocale : public FixedLocaleSource {
public:
    ScopedLocale(std::string dateOrder, std::string clockFormat)
        : FixedLocaleSource(std::move(dateOrder), std::move(clockFormat)) {
        InstallLocaleSource(this);
    }
    ~ScopedLocale() override { InstallLocaleSource(nullptr); }
    ScopedLocale(const ScopedLocale&) = delete;
    ScopedLocale& operator=(const ScopedLocale&) = delete;
};
