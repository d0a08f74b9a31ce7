#pragma once

#include "settings/SettingsTable.h"

#include <QList>
#include <QStringList>

// The settings of the exceptions list (when a shift is long, when a punch repeats the one before)
// and where the forced clock-out puts its OUT, kept in the program's own settings table.
namespace ExceptionSettings {
QList<Setting> rows();

// The words of `clock.forced_out_time`, in the order of ForcedOutTime.
const QStringList& forcedOutTimes();
} // namespace ExceptionSettings
