#pragma once

#include "pay/PayResult.h"

#include <QDateTime>
#include <QString>
#include <QTimeZone>

class Database;
struct SettingsRecord;

// What an employee has worked in the current workweek, counted by the pay rules, for the clock
// screen's confirmation: only that employee's rows of the workweek are read.
namespace WeekHours {
// The complete pairs of the employee's workweek that holds `now`, up to today's workday.
PayMinutes of(Database& database, const SettingsRecord& settings, const QString& employeeId, const QDateTime& now,
              const QTimeZone& zone = QTimeZone::systemTimeZone());
// "This week: 31:45", with ", overtime 1:45" when some of it is overtime or double time.
QString line(const PayMinutes& paid);
} // namespace WeekHours
