// The user's date order and clock, as the system's locale settings give them.
#include "records/SystemLocaleSource.h"

SystemLocaleSource::SystemLocaleSource(const QLocale& locale) : m_locale(locale) {}

const SystemLocaleSource& SystemLocaleSource::Instance() {
    static const SystemLocaleSource locale;
    return locale;
}

std::string SystemLocaleSource::DateOrder() const {
    const QString format = m_locale.dateFormat(QLocale::ShortFormat);
    const qsizetype day = format.indexOf(QLatin1Char('d'));
    const qsizetype month = format.indexOf(QLatin1Char('M'));
    const qsizetype year = format.indexOf(QLatin1Char('y'));
    if (year >= 0 && (day < 0 || year < day) && (month < 0 || year < month))
        return "2";
    if (month >= 0 && day >= 0 && month < day)
        return "0";
    return "1";
}

std::string SystemLocaleSource::ClockFormat() const {
    // An AM/PM designator in the time format means the 12-hour clock.
    const QString format = m_locale.timeFormat(QLocale::ShortFormat);
    return format.contains(QLatin1Char('a'), Qt::CaseInsensitive) ? "0" : "1";
}
