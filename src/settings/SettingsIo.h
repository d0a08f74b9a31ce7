#pragma once

#include "settings/SettingsRecord.h"
#include "store/ApplicationTable.h"

#include <QList>
#include <QPair>
#include <QVariant>

// What the options dialog hands over on save: its check boxes as flags and its boxes as typed.
struct OptionsEntry {
    SettingsRecord flags; // only the on/off options are taken from here
    QString earlyLimit, lateLimit, lateInLimit, earlyOutLimit;
    QString screenInOutDays, pictureDays;
    QString keepInSeconds, keepOutSeconds;
    QString forceAfter, minutesToDeduct, minBeforeDedHours;
    QString earlyMessage, lateMessage, lateInMessage, earlyOutMessage;
    QString notFound, tryAgain, enterId, tipsWord, clockingIn, clockingOut, rejected;
    QString goodMorning, goodNight;
};

// Loading the settings record from the "Application" row and composing the row to save.
namespace SettingsIo {
SettingsRecord load(const ApplicationTable::Row& row);

struct Saved {
    SettingsRecord held;                    // the record as the program holds it after the save
    QList<QPair<QString, QVariant>> fields; // the row's fields, in the order they are written
};
// The password of `current` is kept; everything else comes from the entry.
Saved save(const OptionsEntry& entry, const SettingsRecord& current);

// The numeric value of typed text the way a person means it: leading blanks skipped, the number
// read as far as it goes, 0 when there is none ("12 min" is 12, "abc" is 0).
double typedNumber(const QString& text);
} // namespace SettingsIo
