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
#include "store/PeriodStates.h"
#include "store/RecordEdits.h"

#include <QTextStream>
#include <optional>

namespace {
constexpr int done = 0;
constexpr int nothingFound = 1;
constexpr int badArguments = 2;
constexpr int databaseProblem = 3;
constexpr int historyBroken = 4;
constexpr int sequenceBroken = 10;
constexpr int lockedPeriod = 11;

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

// "YYYY-MM-DD HH:MM" or with seconds, in the station's local time.
std::optional<QDateTime> isoMoment(const QString& text)
{
    for (const QString& format :
         {QStringLiteral("yyyy-MM-dd HH:mm:ss"), QStringLiteral("yyyy-MM-dd HH:mm")}) {
        const QDateTime moment = QDateTime::fromString(text, format);
        if (moment.isValid())
            return moment;
    }
    return std::nullopt;
}

// insert, set and delete: the record editor's writes, with its rules and its history entries.
int runRecordWrite(const Services& services, Session& session, RecordEditor::Write write,
                   const QStringList& args, QTextStream& out, QTextStream& err)
{
    using Write = RecordEditor::Write;
    static const char* const forms[] = {
        "records set --record N [--time 'YYYY-MM-DD HH:MM[:SS]'] [--in|--out] [--reason TEXT] [--force]",
        "records insert --id ID --time 'YYYY-MM-DD HH:MM[:SS]' --in|--out [--reason TEXT] [--force]",
        "records delete --record N [--reason TEXT] [--force]"};
    static const char* const names[] = {"records set", "records insert", "records delete"};
    const char* form = forms[static_cast<int>(write)];
    const QString name = QString::fromLatin1(names[static_cast<int>(write)]);
    QStringList valued{QStringLiteral("--reason")};
    QStringList flags{QStringLiteral("--force")};
    if (write == Write::Insert)
        valued << QStringLiteral("--id");
    else
        valued << QStringLiteral("--record");
    if (write != Write::Delete) {
        valued << QStringLiteral("--time");
        flags << QStringLiteral("--in") << QStringLiteral("--out");
    }
    const CommandOptions options = CommandOptions::parse(name, args, valued, flags);
    if (!options.ok())
        return optionProblem(err, options);
    const bool in = options.flag(QStringLiteral("--in"));
    const bool outFlag = options.flag(QStringLiteral("--out"));
    if (in && outFlag)
        return usage(err, QStringLiteral("--in and --out go one at a time"), form);
    std::optional<QDateTime> time;
    if (options.has(QStringLiteral("--time"))) {
        time = isoMoment(options.value(QStringLiteral("--time")));
        if (!time)
            return usage(err, QStringLiteral("--time is not a time such as 2026-12-04 08:00"), form);
    }
    RecordEditor::Given given;
    given.reason = options.value(QStringLiteral("--reason"));
    given.force = options.flag(QStringLiteral("--force"));
    try {
        std::optional<RecordEditor> editor;
        if (write == Write::Insert) {
            const QString id = options.value(QStringLiteral("--id")).trimmed();
            if (id.isEmpty())
                return usage(err, QStringLiteral("--id is missing"), form);
            if (!time)
                return usage(err, QStringLiteral("--time is missing"), form);
            if (!in && !outFlag)
                return usage(err, QStringLiteral("--in or --out is missing"), form);
            editor.emplace(services, session, id, 0);
            // The name and department the employee's latest record carries, as an insert in the
            // window takes them from the record on show.
            const QList<RecordEditor::Entry>& entries = editor->reload();
            if (!entries.isEmpty())
                editor->show(entries.last().recordNumber);
            given.time = *time;
            given.clockOut = outFlag;
        } else {
            bool ok = false;
            const qint64 number = options.value(QStringLiteral("--record")).toLongLong(&ok);
            if (!options.has(QStringLiteral("--record")))
                return usage(err, QStringLiteral("--record is missing"), form);
            if (!ok || number <= 0)
                return usage(err, QStringLiteral("--record is not a record number"), form);
            const std::optional<ClockRecord> record = RecordEdits(services.database).find(number);
            if (!record) {
                err << QStringLiteral("No record number %1\n").arg(number);
                return nothingFound;
            }
            editor.emplace(services, session, record->employeeId, 0);
            editor->show(number);
            given.time = time.value_or(record->time);
            given.clockOut = in ? false : outFlag ? true : record->clockOut;
        }
        const RecordEditor::Outcome outcome = editor->apply(write, given);
        if (!outcome.done) {
            err << name << ": " << outcome.message;
            if (outcome.sequence)
                err << QStringLiteral(" --force writes it anyway.");
            err << '\n';
            return outcome.lockedDay ? lockedPeriod : outcome.sequence ? sequenceBroken : databaseProblem;
        }
        if (write == Write::Insert)
            out << editor->lastInserted() << '\n';
        return done;
    } catch (const DatabaseError& error) {
        return databaseFailure(err, error);
    }
}
} // namespace

int runRecordsCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                      QTextStream& err)
{
    using Write = RecordEditor::Write;
    const QString first = args.value(0);
    if (first == QLatin1String("insert"))
        return runRecordWrite(services, session, Write::Insert, args.mid(1), out, err);
    if (first == QLatin1String("set"))
        return runRecordWrite(services, session, Write::Save, args.mid(1), out, err);
    if (first == QLatin1String("delete"))
        return runRecordWrite(services, session, Write::Delete, args.mid(1), out, err);
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
    } catch (const LockedDayError& locked) {
        err << "purge: " << locked.message() << '\n';
        return lockedPeriod;
    } catch (const DatabaseError& error) {
        return databaseFailure(err, error);
    }
    return done;
}
