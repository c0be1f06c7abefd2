// The schedule's date and time picker: a date or time edit that holds its own value and tells its parent
// about changes, calendar drop-downs and focus, as notifications.
#pragma once

#include "records/DateTimeValue.h"

#include <QDateTimeEdit>

#include <cstdint>
#include <functional>

// Picker styles.
inline constexpr unsigned DTS_SHORTDATEFORMAT = 0x0000; // a date, with a month calendar to drop down
inline constexpr unsigned DTS_UPDOWN = 0x0001;          // a date with up-down arrows and no calendar
inline constexpr unsigned DTS_TIMEFORMAT = 0x0009;      // a time of day (always up-down)
inline constexpr unsigned WS_TABSTOP = 0x00010000;

// Notification codes a picker sends its parent.
inline constexpr int NM_SETFOCUS = -7;
inline constexpr int NM_KILLFOCUS = -8;
inline constexpr int DTN_CLOSEUP = -753;
inline constexpr int DTN_DROPDOWN = -754;
inline constexpr int DTN_DATETIMECHANGE = -759;

// Validity flags of a picker's value.
inline constexpr int GDT_VALID = 0;
inline constexpr int GDT_NONE = 1;

struct NMDATETIMECHANGE {
    int idFrom = 0;
    int code = DTN_DATETIMECHANGE;
    int dwFlags = GDT_VALID;
    DateTimeValue st;
};

// The picker keeps the value it last took (m_dtValue) apart from what its control shows. A change
// reaches the picker's own handler first and its parent after, so that the parent, reading the held
// value, always sees the change. While a month calendar is dropped down its changes are held back
// and reported once, when it closes.
class CDateTimePicker : public QDateTimeEdit {
    Q_OBJECT
public:
    // The held value starts as the present moment.
    CDateTimePicker();
    ~CDateTimePicker() override;

    // Makes the picker a child of the parent with the style, place and control id.
    bool Create(unsigned style, const QRect& rect, QWidget* parent, int id);

    // The held value, not what the control shows this instant.
    DateTimeValue GetTime() const { return m_dtValue; }
    // Holds the value and shows it, to the second; setting the value is no change to report.
    void SetTime(const DateTimeValue& value);
    // What the control shows; the present moment when it shows no valid value.
    DateTimeValue ReadControl() const;

    int ControlId() const { return m_nId; }
    bool IsDroppedDown() const { return m_bDroppedDown != 0; }

    // The clock behind "the present moment"; tests put a fixed one here (nullptr: the system's).
    static DateTimeValue PresentMoment();
    static void SetPresentMomentSource(std::function<DateTimeValue()> source);

signals:
    // A notification that the picker's handlers left to the parent.
    void Notify(int id, int code);

protected:
    // Called after the held value changed.
    virtual void OnValueChanged() {}
    // Each handler returns true when the notification stays with the picker.
    virtual bool OnDateTimeChange(const NMDATETIMECHANGE& change, std::intptr_t& result);
    virtual bool OnDropDown(std::intptr_t& result);
    virtual bool OnCloseUp(std::intptr_t& result);

    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    DateTimeValue m_dtValue;
    int m_bDroppedDown = 0;

private:
    Q_DISABLE_COPY(CDateTimePicker)

    // Runs the picker's handler for a notification, then hands it to the parent unless kept.
    void Reflect(const NMDATETIMECHANGE& notification);
    void OnControlChanged();

    int m_nId = 0;
    bool m_bSetting = false;
};

// Conversions between the program's date-time value and Qt's, to the second.
DateTimeValue DateTimeValueOf(const QDateTime& dateTime);
QDateTime QDateTimeOf(const DateTimeValue& value);
