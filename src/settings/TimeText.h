#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>
#include <optional>

// The texts with which the date-and-time page sets the computer's clock (a typed time of day and
// the picked date written in the system's date order), and a moment as the program shows it.
namespace TimeText {
inline const QString formatError = QStringLiteral("Error in time format..");

// The typed time as "hh:mm" ("9:5" gives "09:05", "2:30 PM" gives "14:30"); no value when it is not
// a time of day, which the page answers with formatError.
std::optional<QString> format(const QString& typed);
// The time of day a formatted text stands for; "24:00" is midnight.
QTime timeOf(const QString& formatted);

// The date joined by "-" in the order "MM-DD-YYYY", "DD-MM-YYYY" or "YYYY-MM-DD".
QString dateText(const QDate& date, const QString& dateOrder);
// Reads such a text back; an invalid date when it does not fit the order.
QDate dateOf(const QString& text, const QString& dateOrder);
// A date and time in full, as lists show when something happened: the locale's short date with a
// four-digit year, then the time with seconds on the clock the settings choose ("1:05:09 PM" or
// "13:05:09"), whatever clock the locale itself prefers.
QString generalDateTime(const QDateTime& moment, bool clock12Hour, const QLocale& locale);
} // namespace TimeText
