#include "records/RecordsCommand.h"

#include "platform/CommandOptions.h"
#include "platform/TimeSource.h"
#include "records/HistoryTexts.h"
#include "records/OldRecords.h"
#include "records/RecordEditor.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"
#include "store/EditHistory.h"

#include <QTextStream>
#include <optional>

namespace {
constexpr int done = 0;
constexpr int nothingFound = 1;
constexpr int badArguments = 2;
constexpr int databaseProblem = 3;
constexpr int historyBroken = 4;

std::optional<QDate> isoDate(const QString& text)
{
    const QDate date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        return std::nullopt;
    return date;
}

int usage(QTextStream& err, const QString& problem, const char* form)
{
    err << problem << QStringLiteral(" (usage: tellarin ") << form << ")\n";
    return badArguments;
}

int optionProblem(QTextStream& err, const CommandOptions& options)
{
    err << options.problem() << '\n';
    return badArguments;
}

int databaseFailure(QTextStream& err, const DatabaseError& error)
{
    err << error.userMessage().simplified() << '\n';
    return databaseProblem;
}
} // namespace

int runRecordsCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                      QTextStream& err)
{
    const char* form = "records --id ID [--from YYYY-MM-DD]";
    const CommandOptions options = CommandOptions::parse(QStringLiteral("records"), args,
                                                         {QStringLiteral("--id"), QStringLiteral("--from")});
    if (!options.ok())
        return optionProblem(err, options);
    const QString id = options.value(QStringLiteral("--id")).trimmed();
    if (id.isEmpty())
        return usage(err, QStringLiteral("--id is missing"), form);
    qint32 startDay = 0;
    if (options.has(QStringLiteral("--from"))) {
        const std::optional<QDate> from = isoDate(options.value(QStringLiteral("--from")));
        if (!from)
            return usage(err, QStringLiteral("--from is not a date"), form);
        startDay = DayNumber::of(*from);
    }
    RecordEditor editor(services, session, id, startDay);
    try {
        editor.reload();
    } catch (const DatabaseError& error) {
        return databaseFailure(err, error);
    }
    if (editor.entries().isEmpty()) {
        err << QStringLiteral("No records found for ID ") << CommandOptions::shown(id) << '\n';
        return nothingFound;
    }
    for (const RecordEditor::Entry& entry : editor.entries())
        out << entry.recordNumber << '\t' << entry.line << '\n';
    return done;
}

int runHistoryCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                      QTextStream& err)
{
    const char* form =
        "history [--record N] [--raw] [--verify [--expect N:HASH]] [--purge-before YYYY-MM-DD]";
    const CommandOptions options = CommandOptions::parse(
        QStringLiteral("history"), args,
        {QStringLiteral("--record"), QStringLiteral("--purge-before"), QStringLiteral("--expect")},
        {QStringLiteral("--verify"), QStringLiteral("--raw")});
    if (!options.ok())
        return optionProblem(err, options);
    const bool verify = options.flag(QStringLiteral("--verify"));
    const bool purge = options.has(QStringLiteral("--purge-before"));
    const bool oneRecord = options.has(QStringLiteral("--record"));
    if (int(verify) + int(purge) + int(oneRecord) > 1)
        return usage(err, QStringLiteral("--record, --verify and --purge-before go one at a time"), form);
    std::optional<EditHistory::Noted> noted;
    if (options.has(QStringLiteral("--expect"))) {
        if (!verify)
            return usage(err, QStringLiteral("--expect goes with --verify"), form);
        noted = EditHistory::notedFrom(options.value(QStringLiteral("--expect")));
        if (!noted)
            return usage(
                err, QStringLiteral("--expect is not an entry number and hash such as 12:v2-3fa0..."), form);
    }
    EditHistory history(services.database);
    try {
        if (verify) {
            const EditHistory::Verdict verdict = history.verify(noted);
            if (!verdict.intact) {
                err << QStringLiteral("History broken at entry %1: %2\n")
                           .arg(verdict.brokenEntry)
                           .arg(verdict.reason);
                return historyBroken;
            }
            out << QStringLiteral("History intact: %1 entries checked\n").arg(verdict.checked);
            // Noted elsewhere, these let a later check see entries cut off the end with the counter.
            if (verdict.lastEntry > 0)
                out << QStringLiteral("Last entry: %1:%2\n").arg(verdict.lastEntry).arg(verdict.lastHash);
            if (!verdict.note.isEmpty())
                out << QStringLiteral("Note: ") << verdict.note << '\n';
            return done;
        }
        if (purge) {
            const std::optional<QDate> day = isoDate(options.value(QStringLiteral("--purge-before")));
            if (!day)
                return usage(err, QStringLiteral("--purge-before is not a date"), form);
            const qint64 count =
                history.purgeBefore({services.time.now(), EditHistory::workstationUser()}, *day);
            out << QStringLiteral("Removed %1 history entries before %2\n")
                       .arg(count)
                       .arg(day->toString(Qt::ISODate));
            return done;
        }
        QList<HistoryEntry> entries;
        if (oneRecord) {
            bool ok = false;
            const qint64 record = options.value(QStringLiteral("--record")).toLongLong(&ok);
            if (!ok)
                return usage(err, QStringLiteral("--record is not a record number"), form);
            entries = history.entriesFor(record);
        } else {
            entries = history.entries();
        }
        if (entries.isEmpty()) {
            err << QStringLiteral("No history entries\n");
            return nothingFound;
        }
        const bool raw = options.flag(QStringLiteral("--raw"));
        for (const HistoryEntry& entry : entries)
            out << (raw ? HistoryTexts::rawLine(entry)
                        : HistoryTexts::tabLine(entry, session.settings().clock12Hour))
                << '\n';
        return done;
    } catch (const DatabaseError& error) {
        return databaseFailure(err, error);
    }
}

int runPurgeCommand(const Services& services, Session&, const QStringList& args, QTextStream& out,
                    QTextStream& err)
{
    const char* form = "purge --before YYYY-MM-DD";
    const CommandOptions options =
        CommandOptions::parse(QStringLiteral("purge"), args, {QStringLiteral("--before")});
    if (!options.ok())
        return optionProblem(err, options);
    if (!options.has(QStringLiteral("--before")))
        return usage(err, QStringLiteral("--before is missing"), form);
    const std::optional<QDate> day = isoDate(options.value(QStringLiteral("--before")));
    if (!day)
        return usage(err, QStringLiteral("--before is not a date"), form);
    // A later day would take today's punches, which the clock is still writing.
    if (*day > services.time.today())
        return usage(err, QStringLiteral("--before %1 is after today").arg(day->toString(Qt::ISODate)), form);
    try {
        const qint64 count = OldRecords::removeBefore(services, DayNumber::of(*day));
        out << QStringLiteral("Removed %1 records before %2\n").arg(count).arg(day->toString(Qt::ISODate));
    } catch (const DatabaseError& error) {
        return databaseFailure(err, error);
    }
    return done;
}
