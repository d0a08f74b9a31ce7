#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>
#include <stdexcept>

// A failure to read the scheduling product's database, with the engine-style number and text the
// user is shown, and what kind of failure it is so the caller can choose what to offer.
class SchedulingError : public std::runtime_error {
public:
    enum class Kind {
        InUse,        // another program holds the file locked
        NoAccess,     // the file may not be read
        Unreadable,   // missing, not a database, or damaged: trying again may help
        MissingTable, // the file lacks a table or a field this program reads
        BadValue,     // a value that does not fit where the clock keeps it, or an ID given twice
    };
    SchedulingError(Kind kind, QString number, QString text);

    Kind kind() const { return m_kind; }
    const QString& number() const { return m_number; }
    const QString& text() const { return m_text; }

    static SchedulingError missingTable(const QString& table);
    static SchedulingError missingField(const QString& table, const QString& field);

private:
    Kind m_kind;
    QString m_number;
    QString m_text;
};

// Read-only access to the scheduling product's database: whole tables as rows of named fields, and
// the day schedule of one employee on one day. Never writes, and never keeps the file locked
// longer than a read.
class SchedulingReader {
public:
    virtual ~SchedulingReader() = default;

    // Every row of the table from the first to the last, each holding the named fields in the order
    // asked for (names matched without regard to case); a Null field is an invalid QVariant.
    // Throws SchedulingError naming a missing table or field.
    virtual QList<QVariantList> rows(const QString& table, const QStringList& fields) = 0;
    // The `Starts & Stops` text of the day's schedule row of the employee (an invalid QVariant when
    // it is Null), or nothing when the day has no row for the employee. The row is found through the
    // index `Day and Employee`, whose two keys are the day and the employee's key.
    virtual std::optional<QVariant> startsAndStops(QDate day, const QVariant& employee) = 0;
};

namespace SchedulingFile {
enum class Format { Sqlite, Jet, Unknown };
// Recognised by the first bytes of the file.
Format formatOf(const QByteArray& header);
// Opens the file read-only with the reader its header calls for. Throws SchedulingError when the
// file is missing, unreadable, locked or no database of a known kind.
std::unique_ptr<SchedulingReader> open(const QString& path, int busyTimeoutMs = 3000);
} // namespace SchedulingFile
