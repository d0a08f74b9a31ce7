#pragma once

#include "settings/SettingsTable.h"

#include <QList>

// The settings of the clock screen as a kiosk, kept in the program's own settings table: how card
// readers are read, the guard against a card read twice and the week's hours on the panel.
namespace KioskSettings {
QList<Setting> rows();

// The longest guard the box takes, in seconds.
constexpr qint32 longestGuard = 3600;
} // namespace KioskSettings
