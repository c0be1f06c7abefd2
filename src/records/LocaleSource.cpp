// Where the date-time texts learn the user's date order and clock.
#include "records/LocaleSource.h"

#include <utility>

namespace {

const LocaleSource* g_pInstalledLocale = nullptr;

const LocaleSource& DefaultLocale() {
    static const FixedLocaleSource locale;
    return locale;
}

} // namespace

FixedLocaleSource::FixedLocaleSource(std::string dateOrder, std::string clockFormat)
    : m_strDateOrder(std::move(dateOrder)), m_strClockFormat(std::move(clockFormat)) {}

const LocaleSource& CurrentLocaleSource() { return g_pInstalledLocale ? *g_pInstalledLocale : DefaultLocale(); }

void InstallLocaleSource(const LocaleSource* source) { g_pInstalledLocale = source; }
