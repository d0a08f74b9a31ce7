#pragma once

#include "settings/SettingsTable.h"

#include <QList>

// The settings of who is late, kept in the program's own settings table: how many minutes after a
// scheduled start an employee without an IN counts as late, and whether the desktop is told.
namespace LateSettings {
constexpr int lowest = 1;
constexpr int highest = 720;
constexpr int fallback = 15;
QList<Setting> rows();
} // namespace LateSettings
