#pragma once

#include "settings/SettingsTable.h"

#include <QList>
#include <optional>

// The settings of pay and payroll, kept in the program's own settings table: the workweek and
// workday, the overtime rules and rates, the pay rounding, the pay period and what the payroll
// services' files name.
namespace PaySettings {
QList<Setting> rows();

// Typed hours and minutes ("40:00", "8:30") or whole hours ("40"); nothing when it is neither.
std::optional<qint32> typedMinutes(const QString& typed);
// Minutes as H:MM: 2400 is "40:00".
QString minutesText(qint32 minutes);
} // namespace PaySettings
