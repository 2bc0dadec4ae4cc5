#pragma once

#include <QDateTime>
#include <QString>

#include <array>

namespace engine {

// The three time fields, in this order everywhere.
enum class TimeField { None, Hour, Minute, Second };

using FieldTexts = std::array<QString, 3>;

// What Start makes of the time fields.
struct StartCheck {
    bool accepted = false;
    QDateTime endTime;    // set when accepted, and when a clock time formed a date-time
    FieldTexts rewritten; // countdown mode: the normalised fields, written before Start goes on
    bool rewrite = false;
    QString message; // shown when not accepted; empty for none
    QString title;   // the message's title
    TimeField focus = TimeField::None;
    bool focusBeforeMessage = false; // the field takes the focus first, then the message shows
};

// A field text is numeric when, after optional spaces, it holds an optional sign, digits with at
// most one point and at least one digit, then optional spaces.
bool isNumeric(QStringView text);

// The value of the leading number of a text: blanks skipped, an optional sign, digits with at
// most one point; 0 when no digit is read ("1-2" is 1, "1.2.3" is 1.2).
double leadingNumber(QStringView text);

// Checks the fields for Start and computes the end time from them, the mode and `now`.
StartCheck checkStart(const FieldTexts &texts, bool countDown, const QDateTime &now);

// The messages the check shows.
extern const QString kInvalidDataMessage;
extern const QString kNoticeTitle;
extern const QString kTimeFormatMessage;
extern const QString kTimeTooEarlyMessage;

} // namespace engine
