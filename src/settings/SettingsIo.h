#pragma once

#include "settings/SettingsRecord.h"
#include "store/ApplicationTable.h"

#include <QList>
#include <QLocale>
#include <QPair>
#include <QVariant>
#include <optional>

class Database;
class SettingsChange;

// Loading the settings record from the "Application" row and composing the row to save, both
// through SettingsTable.
namespace SettingsIo {
// `program` holds the rows of the program's own settings table by key; a missing one loads its default.
SettingsRecord load(const ApplicationTable::Row& row, const QVariantMap& program = {});
// Both from the database.
SettingsRecord read(Database& database);

struct Saved {
    SettingsRecord held;                           // the record as the program holds it after the save
    QList<QPair<QString, QVariant>> fields;        // the row's fields to write
    QList<QPair<QString, QVariant>> programValues; // the program's own settings to write, by key
};
// The settings the change holds are taken from it, every other one (the password included) is
// kept as in `current`. Only the fields of the settings changed are written.
Saved save(const SettingsChange& change, const SettingsRecord& current);

// A typed number, with the decimal separator of the locale or a point ("7,5" and "7.5" in
// German, "7.5" in English); an empty box is 0. Nothing when the text is not a number: no part of
// "7,5" in English or "12 min" is taken as a value.
std::optional<double> typedNumber(const QString& text, const QLocale& locale = QLocale());
// Hours as the boxes show them, with the locale's decimal separator and one decimal ("##.0"):
// 300 minutes is "5.0", 30 is ".5".
QString hoursText(qint16 minutes, const QLocale& locale = QLocale());
// A stored decimal number as a box shows it: "0.5", "12".
QString numberText(double value, const QLocale& locale = QLocale());
// Typed hours as whole minutes, exactly (4.1 hours is 246 minutes, not 245.99) and held within
// 16 bits; a box that holds no number is 0.
qint16 typedMinutes(const QString& hours, const QLocale& locale = QLocale());
} // namespace SettingsIo
