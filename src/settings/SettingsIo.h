#pragma once

#include "settings/SettingsRecord.h"
#include "store/ApplicationTable.h"

#include <QList>
#include <QLocale>
#include <QPair>
#include <QVariant>
#include <optional>

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

// A typed number, with the decimal separator of the locale or a point ("7,5" and "7.5" in
// German, "7.5" in English); an empty box is 0. Nothing when the text is not a number: no part of
// "7,5" in English or "12 min" is taken as a value.
std::optional<double> typedNumber(const QString& text, const QLocale& locale = QLocale());
// Hours as the boxes show them, with the locale's decimal separator and one decimal ("##.0"):
// 300 minutes is "5.0", 30 is ".5".
QString hoursText(qint16 minutes, const QLocale& locale = QLocale());
// A stored decimal number as a box shows it: "0.5", "12".
QString numberText(double value, const QLocale& locale = QLocale());
} // namespace SettingsIo
