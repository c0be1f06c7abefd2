// The schedule's date and time picker: a date or time edit that holds its own value and tells its parent
// about changes, calendar drop-downs and focus, as notifications.
#include "records/CDateTimePicker.h"

#include "records/SchedulePacking.h"

#include <QCalendarWidget>
#include <QEvent>
#include <QLocale>
#include <QRegularExpression>

namespace {

std::function<DateTimeValue()>& PresentMomentSource() {
    static std::function<DateTimeValue()> source;
    return source;
}

// The user's short date format, with the year always in full: a two-digit year cannot tell the
// centuries of the schedule apart.
QString DateDisplayFormat() {
    QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    format.replace(QRegularExpression(QStringLiteral("y+")), QStringLiteral("yyyy"));
    return format;
}

// The user's time format with seconds, as the record texts carry them, but without a time zone.
QString TimeDisplayFormat() {
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("\\s*t+")));
    return format.trimmed();
}

} // namespace

DateTimeValue DateTimeValueOf(const QDateTime& dateTime) {
    DateTimeValue value;
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    value.SetDateTime(date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second());
    return value;
}

QDateTime QDateTimeOf(const DateTimeValue& value) {
    const auto parts = value.Split();
    if (!parts)
        return {};
    return QDateTime(QDate(parts->year, parts->month, parts->day), QTime(parts->hour, parts->minute, parts->second));
}

CDateTimePicker::CDateTimePicker() : m_dtValue(PresentMoment()) {
    connect(this, &QDateTimeEdit::dateTimeChanged, this, [this] { OnControlChanged(); });
}

CDateTimePicker::~CDateTimePicker() = default;

DateTimeValue CDateTimePicker::PresentMoment() {
    if (const auto& source = PresentMomentSource())
        return source();
    return DateTimeValueOf(QDateTime::currentDateTime());
}

void CDateTimePicker::SetPresentMomentSource(std::function<DateTimeValue()> source) {
    PresentMomentSource() = std::move(source);
}

bool CDateTimePicker::Create(unsigned style, const QRect& rect, QWidget* parent, int id) {
    m_nId = id;
    setParent(parent);
    setObjectName(QString::number(id));
    if (parent)
        setFont(parent->font());
    const bool time = (style & DTS_TIMEFORMAT) == DTS_TIMEFORMAT;
    setDisplayFormat(time ? TimeDisplayFormat() : DateDisplayFormat());
    if (time) {
        // A time-only format pins the date; the held value's own date is kept instead.
        setDateTimeRange(QDateTime(QDate(100, 1, 1), QTime(0, 0)), QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59)));
    } else {
        // The handheld stores the year as year - 1900 in one byte.
        setDateRange(QDate(kFirstScheduleYear, 1, 1), QDate(kLastScheduleYear, 12, 31));
    }
    const bool calendar = !time && !(style & DTS_UPDOWN);
    setCalendarPopup(calendar);
    if (calendar)
        calendarWidget()->window()->installEventFilter(this);
    setFocusPolicy((style & WS_TABSTOP) ? Qt::StrongFocus : Qt::ClickFocus);
    setGeometry(rect);
    SetTime(m_dtValue);
    return true;
}

void CDateTimePicker::SetTime(const DateTimeValue& value) {
    m_dtValue = value;
    const QDateTime shown = QDateTimeOf(value);
    if (!shown.isValid())
        return;
    m_bSetting = true;
    setDateTime(shown);
    m_bSetting = false;
}

DateTimeValue CDateTimePicker::ReadControl() const {
    const QDateTime shown = dateTime();
    return shown.isValid() ? DateTimeValueOf(shown) : PresentMoment();
}

void CDateTimePicker::OnControlChanged() {
    if (m_bSetting)
        return;
    NMDATETIMECHANGE change;
    change.idFrom = m_nId;
    change.dwFlags = dateTime().isValid() ? GDT_VALID : GDT_NONE;
    change.st = ReadControl();
    Reflect(change);
}

void CDateTimePicker::Reflect(const NMDATETIMECHANGE& notification) {
    std::intptr_t result = 0;
    bool kept = false;
    switch (notification.code) {
    case DTN_DATETIMECHANGE:
        kept = OnDateTimeChange(notification, result);
        break;
    case DTN_DROPDOWN:
        kept = OnDropDown(result);
        break;
    case DTN_CLOSEUP:
        kept = OnCloseUp(result);
        break;
    default:
        break;
    }
    if (!kept)
        emit Notify(m_nId, notification.code);
}

bool CDateTimePicker::OnDateTimeChange(const NMDATETIMECHANGE& change, std::intptr_t& result) {
    result = 0;
    if (m_bDroppedDown)
        return true;
    if (change.dwFlags == GDT_VALID) {
        const DateTimeValue read = ReadControl();
        if (!(read == m_dtValue)) {
            m_dtValue = read;
            OnValueChanged();
        }
    }
    return false;
}

bool CDateTimePicker::OnDropDown(std::intptr_t& result) {
    result = 0;
    m_bDroppedDown = 1;
    return false;
}

bool CDateTimePicker::OnCloseUp(std::intptr_t& result) {
    result = 0;
    m_bDroppedDown = 0;
    const DateTimeValue read = ReadControl();
    if (read == m_dtValue)
        return false;
    // The changes made in the calendar, reported once now that it is closed.
    NMDATETIMECHANGE change;
    change.idFrom = m_nId;
    change.dwFlags = GDT_VALID;
    change.st = read;
    Reflect(change);
    return false;
}

bool CDateTimePicker::eventFilter(QObject* watched, QEvent* event) {
    if (calendarPopup() && watched == calendarWidget()->window()) {
        NMDATETIMECHANGE notification;
        notification.idFrom = m_nId;
        if (event->type() == QEvent::Show) {
            notification.code = DTN_DROPDOWN;
            Reflect(notification);
        } else if (event->type() == QEvent::Hide) {
            notification.code = DTN_CLOSEUP;
            Reflect(notification);
        }
    }
    return QDateTimeEdit::eventFilter(watched, event);
}

// Tab leaves the picker, as it leaves every other control of the dialog; the arrow keys move between
// the parts of the date or time.
bool CDateTimePicker::focusNextPrevChild(bool next) { return QWidget::focusNextPrevChild(next); }

void CDateTimePicker::focusInEvent(QFocusEvent* event) {
    QDateTimeEdit::focusInEvent(event);
    emit Notify(m_nId, NM_SETFOCUS);
}

void CDateTimePicker::focusOutEvent(QFocusEvent* event) {
    // The edit settles a half-typed value first; that change is reported before the focus news.
    QDateTimeEdit::focusOutEvent(event);
    emit Notify(m_nId, NM_KILLFOCUS);
}
