#pragma once

#include "platform/MessageBoxes.h"
#include "settings/SettingsRecord.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>

class SettingsChange;

// Why what was typed cannot be kept, in the message box that says so.
struct Refusal {
    QString text;
    QString title;
    MessageBoxes::Icon icon = MessageBoxes::Icon::Information;
};

// One option of the settings record: its key, its default and how it is typed, stored and read.
// In the "Application" row a flag is kept as one bit of a stored bit field and every other setting is
// the field named by its key; a setting of the program's own table is a row named by its key.
struct Setting {
    // Choice: one of `choices`; Time: hours and minutes as H:MM; Date: YYYY-MM-DD.
    enum class Kind { Flag, Text, Number, Decimal, Hours, Choice, Time, Date };
    enum class Place { ApplicationRow, ProgramTable };

    QString key;
    Kind kind = Kind::Text;
    Place place = Place::ApplicationRow;
    // The values a Choice takes, as typed and shown.
    QStringList choices;
    // The field the value is stored in: the key itself, or a flag's bit field.
    QString field;
    qint32 bit = 0;

    // Takes the stored value (Null when the field is missing or empty) into the record.
    std::function<void(const QVariant& stored, SettingsRecord& settings)> read;
    // The value as a box shows it and as it is typed: "12", "4.8", "Clocking In", "on".
    std::function<QString(const SettingsRecord& settings)> text;
    // Takes typed text into `held` and gives the value to store; `current` is the record before the
    // change. A flag gives nothing: its bit field is stored whole, composed from `held` by fieldBits.
    std::function<QVariant(const QString& typed, const SettingsRecord& current, SettingsRecord& held)> take;
    // A flag's part of its stored bit field.
    std::function<qint32(const SettingsRecord& held)> fieldBits;
    // The first thing the change gets wrong about this setting; empty when nothing.
    std::function<std::optional<Refusal>(const SettingsChange& change, const SettingsRecord& current)> check;
    // The other settings the check reads: a change of any of them is checked too, so a change of one
    // setting is refused as the whole page holding it would be.
    QStringList checkReads;
};

// Every setting of the "Application" row, once: load, save, the options pages and commands go
// through this table.
namespace SettingsTable {
const QList<Setting>& all();
// The setting of that key, in any letter case; nullptr when there is none.
const Setting* find(const QString& key);
// The setting of a key the program itself names; a key missing from the table is a programming error.
const Setting& at(const QString& key);

// The first refusal of a setting the change holds, in the order of the table.
std::optional<Refusal> refusal(const SettingsChange& change, const SettingsRecord& current);

// A setting of the program's own table, named by its key; its rules still to be given.
Setting ownSetting(const char* key, Setting::Kind kind);
// A stored value as text, trimmed; empty for Null.
QString storedText(const QVariant& stored);

// A flag's typed form: "on" or "off"; "1", "yes" and "true" in any letter case also mean on.
QString flagText(bool on);
bool isOnText(const QString& typed);
} // namespace SettingsTable

// Settings as typed, by key: what the options pages hand to the save. The address of the server
// this station uses from its next start is kept in the station's own file, not in the row.
class SettingsChange {
public:
    // Every setting as the record shows it.
    static SettingsChange of(const SettingsRecord& settings);

    void set(const QString& key, const QString& typed);
    void setFlag(const QString& key, bool on);
    // What was typed for the setting; empty when the change leaves it alone.
    std::optional<QString> typed(const QString& key) const;
    // What was typed, else the current value as a box shows it.
    QString textOf(const QString& key, const SettingsRecord& current) const;
    bool isOn(const QString& key, const SettingsRecord& current) const;
    bool holds(const QString& key) const { return typed(key).has_value(); }

    // Empty: the station keeps its own file; nothing: the choice is left as it is.
    std::optional<QString> stationDatabaseUrl;

private:
    QHash<QString, QString> m_typed; // by key in lower case
};
