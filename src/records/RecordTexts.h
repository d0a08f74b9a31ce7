#pragma once

#include "store/ClockRecord.h"

#include <QDateTime>
#include <QList>
#include <QLocale>
#include <QString>
#include <optional>

// The texts and values of the record editor: list lines and their order, the time and tips boxes
// and how their typed text becomes a stored time or amount.
namespace RecordTexts {
// Day number of the time's date, then the minute of the day (one more past 30 seconds) in at least
// four digits; the list is ordered by these keys as plain text.
QString sortKey(const QDateTime& time);
// The records in list order: by key, records with equal keys in the order given.
QList<ClockRecord> inListOrder(QList<ClockRecord> records);

QString markText(int options);
// "Medium Date", then the time: three blanks and "hh:mm AM" with the 12-hour clock, five blanks
// and "HH:mm" without.
QString dateTimeText(const QDateTime& time, bool clock12Hour);
// Name, ID, weekday, date and time, " In"/" Out" and the mark, joined by TABs.
QString listLine(const ClockRecord& record, bool clock12Hour);

QString caption(const QString& employeeId, qint32 startDay, const QLocale& locale);
QString noRecordsText(const QString& employeeId, qint32 startDay, const QLocale& locale);
QString longDate(qint32 dayNumber, const QLocale& locale);

QString timeBoxText(const QDateTime& time, bool clock12Hour);
// "###.00": two decimals, no digit before the point below one; empty for no tips.
QString tipsBoxText(const std::optional<Money>& tips);

// A typed time of day: H, H:MM or H:MM:SS, with the 12-hour clock optionally followed by AM or PM
// (A or P is enough). Nothing when it is not a time.
std::optional<QTime> timeOfDay(const QString& text, bool clock12Hour);
// The time a save stores: "12:00" is midnight with the 12-hour clock, "24:00" the last second of
// the day with the 24-hour clock; the seconds of the record as loaded are added, and the result
// never leaves the day.
std::optional<QDateTime> savedTime(const QString& text, bool clock12Hour, const QDate& day, int keptSeconds);
// The time an insert stores: seconds 0; "12:00" is noon with the 12-hour clock, "24:00" the last
// second of the day with the 24-hour clock.
std::optional<QDateTime> insertedTime(const QString& text, bool clock12Hour, const QDate& day);
// The amount read from the start of the text, blanks inside it ignored, up to the first character
// that cannot continue it; 0 for no number. Nothing when it is too large to store.
std::optional<Money> tipsValue(const QString& text);
// Whether a typed character may go into the time or tips box holding the given text.
bool acceptsKey(QChar key, const QString& current, bool clock12Hour, bool tipsBox);
} // namespace RecordTexts
