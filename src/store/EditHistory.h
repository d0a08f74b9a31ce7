#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>
#include <utility>

class Database;

// Who changed the clock records and when; handed to every write that leaves a history entry.
struct EditStamp {
    EditStamp() = default;
    EditStamp(QDateTime at, QString by, QString why = {})
        : when(std::move(at))
        , user(std::move(by))
        , reason(std::move(why))
    {}

    QDateTime when;
    QString user;
    QString reason; // why, when the person gave a reason; kept in the entry's details
};

// One row of the "Edit history" table.
struct HistoryEntry {
    qint64 entryNumber = 0;
    QDateTime when;
    QString action;
    std::optional<qint64> recordNumber;
    QString oldValues; // the whole "In Out" row before the change as JSON; empty when there was none
    QString newValues; // the whole row after it; empty when the row is gone
    QString user;
    QString details;
    QString previousHash;
    QString hash;
    // The hashed columns ("Entry number" to "Previous hash") exactly as read from the table.
    QList<QVariant> stored;
};

// The tamper-evident record of every change made to "In Out" outside a punch. Each entry carries a
// SHA-256 over its own content and the previous entry's hash, and entry numbers follow each other
// without gaps, so a removed or altered entry breaks the chain. Writes happen inside the caller's
// transaction, so a change and its entry are stored together or not at all.
class EditHistory {
public:
    // Texts stored in "Action".
    static const QString edited;
    static const QString inserted;
    static const QString deleted;
    static const QString forced;
    static const QString removedOldRecords;
    static const QString purgedHistory;

    explicit EditHistory(Database& database);

    // The login name of the person at this workstation.
    static QString workstationUser();

    static bool hasTable(Database& database);

    // The current "In Out" row as stored, in the form kept in the history; empty when there is none.
    QString rowValues(qint64 recordNumber);

    // Appends one entry; call inside a transaction.
    HistoryEntry append(const EditStamp& stamp, const QString& action, std::optional<qint64> recordNumber,
                        const QString& oldValues, const QString& newValues, const QString& details = {});

    QList<HistoryEntry> entries();
    QList<HistoryEntry> entriesFor(qint64 recordNumber);

    struct Verdict {
        bool intact = true;
        qint64 brokenEntry = 0; // the first entry found wrong
        QString reason;
        qint64 checked = 0;
        qint64 lastEntry = 0; // the newest entry kept and its hash, to be noted down elsewhere
        QString lastHash;
        QString note; // said beside an intact verdict: a noted entry that a purge has removed
    };
    // An entry's number and hash as noted down at an earlier check.
    struct Noted {
        qint64 entry = 0;
        QString hash;
    };
    // "N:HASH"; nothing when the text is not of that form.
    static std::optional<Noted> notedFrom(const QString& text);
    // Walks the chain from its first entry, checks that nothing was cut off its end (the highest
    // entry number ever handed out is the last one kept) and, when given, that the noted entry is
    // still there unchanged; then compares each record that has entries with the values its
    // latest entry says it holds.
    Verdict verify(const std::optional<Noted>& noted = std::nullopt);
    // The highest entry number the database has ever handed out; 0 when none.
    qint64 highestEntryGiven();

    // Removes the entries made before the given day, in one transaction, and leaves an entry that
    // anchors the shortened chain. The pay periods' approvals, locks and reopenings are kept: written
    // again after it, with their time, user and details and the number they had. Returns how many
    // were removed for good.
    qint64 purgeBefore(const EditStamp& stamp, const QDate& day);

    // The hash an entry must carry: over its stored columns for entries written since hashes carry
    // the "v2-" mark, over the values read from them (the first form) for older ones.
    static QString hashOf(const HistoryEntry& entry);
    // Whether an entry of the first form is stored exactly as that form wrote it, which its hash
    // alone does not show ("When" with extra characters, a number stored as text).
    static bool storedAsFirstFormWrote(const HistoryEntry& entry);

private:
    Database& m_database;
};
