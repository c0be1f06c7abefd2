// The user's date order and clock, as the system's locale settings give them.
#pragma once

#include "records/LocaleSource.h"

#include <QLocale>

// Reads the order of day, month and year from the locale's short date format and the clock from its
// time format, as the platform's locale items report them.
class SystemLocaleSource : public LocaleSource {
public:
    explicit SystemLocaleSource(const QLocale& locale = QLocale::system());
    std::string DateOrder() const override;
    std::string ClockFormat() const override;

    // The one the program installs at start.
    static const SystemLocaleSource& Instance();

private:
    QLocale m_locale;
};
