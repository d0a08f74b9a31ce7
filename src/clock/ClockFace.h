#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

// What the clock screen shows around a punch, and the rule for leaving it.
namespace ClockFace {
// "8:05 pm" with the 12-hour clock, "20:05" without.
QString timeText(const QTime& time, bool clock12Hour, const QLocale& locale);
// The locale's long date: Friday, December 4, 2026.
QString dateText(const QDate& date, const QLocale& locale);

// The tooltip of the screen's exit button.
QString exitToolTip(const QString& password);

// What Enter in the password box does with what was typed.
enum class PasswordEntry { Cancel, Accept, Ignore };
// Empty cancels; the password matches trimmed and in any letter case; anything else is ignored.
PasswordEntry judgePassword(const QString& typed, const QString& password);
} // namespace ClockFace
