#include "shell/CommandLine.h"

#include "exceptions/ExceptionsCommand.h"
#include "pay/PayCommand.h"
#include "pay/PaySummary.h"
#include "payroll/PayrollCommand.h"
#include "platform/Camera.h"
#include "platform/CommandOptions.h"
#include "platform/ProgramPaths.h"
#include "platform/SoundPlayer.h"
#include "platform/StreamMessageBoxes.h"
#include "platform/TimeSource.h"
#include "records/RecordsCommand.h"
#include "reports/ReportCommand.h"
#include "reports/SequenceAuditCommand.h"
#include "reports/WhoIsInCommand.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "settings/SettingsCommand.h"
#include "shell/DatabaseCommand.h"
#include "shell/StartUp.h"
#include "staff/EmployeesCommand.h"
#include "store/Database.h"

#include <QCoreApplication>
#include <QDate>
#include <QGuiApplication>
#include <QHash>
#include <QStringDecoder>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <memory>

namespace CommandLine {
namespace {

int help(const Services&, Session&, const QStringList&, QTextStream& out, QTextStream&)
{
    out << "Usage: tellarin [--program-folder DIR] [--database URL] [COMMAND [OPTIONS]]\n"
           "Without a command the windows open. --database (or TELLARIN_DATABASE) names a shared\n"
           "PostgreSQL database, postgresql://USER@HOST/NAME; without it the data folder's file is used.\n"
           "Commands:\n";
    for (const Command& command : commands())
        out << "  " << command.name << ' ' << command.synopsis << '\n';
    out << "Exit codes: 0 done, 1 nothing found, 2 bad arguments, 3 database problem, 4 broken edit "
           "history,\n"
           "5 audit violations, 6 output file could not be written,\n"
           "7 import file refused, 8 target database not empty, 9 copied row counts differ,\n"
           "10 exceptions found (also a record change refused because it would leave two INs or two\n"
           "OUTs in a row; --force writes it),\n"
           "11 a day in a locked pay period.\n";
    return Done;
}

int version(const Services&, Session&, const QStringList&, QTextStream& out, QTextStream&)
{
    out << "tellarin " << TELLARIN_VERSION << '\n';
    return Done;
}

const QStringList programWide = {QStringLiteral("--program-folder"), QStringLiteral("--database")};

// The program-wide options and the words left for the command, or the problem with them: a
// missing or empty value, or one given twice, would answer from a place the user did not name.
struct ProgramWide {
    QHash<QString, QString> values;
    QStringList words;
    QString problem;
};

ProgramWide programWideOptions(const QStringList& arguments)
{
    ProgramWide result;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& word = arguments[i];
        QString name;
        QString value;
        for (const QString& option : programWide) {
            if (word == option) {
                name = option;
                if (i + 1 < arguments.size() && !arguments[i + 1].startsWith(QLatin1String("--")))
                    value = arguments[++i];
            } else if (word.startsWith(option + QLatin1Char('='))) {
                name = option;
                value = word.mid(option.size() + 1);
            }
        }
        if (name.isEmpty()) {
            result.words.append(word);
            continue;
        }
        if (result.problem.isEmpty() && value.trimmed().isEmpty())
            result.problem = QStringLiteral("tellarin: %1 needs a value").arg(name);
        else if (result.problem.isEmpty() && result.values.contains(name))
            result.problem = QStringLiteral("tellarin: %1 is given twice").arg(name);
        result.values.insert(name, value);
    }
    return result;
}

// The arguments without the program name and without the program-wide options and their values.
QStringList commandWords(const QStringList& arguments)
{
    return programWideOptions(arguments).words;
}

bool neverWrites(const QStringList&)
{
    return false;
}

bool alwaysWrites(const QStringList&)
{
    return true;
}

bool historyWrites(const QStringList& words)
{
    return std::any_of(words.begin(), words.end(),
                       [](const QString& word) { return word.startsWith(QLatin1String("--purge-before")); });
}

bool recordsWrite(const QStringList& words)
{
    static const QStringList writes{QStringLiteral("insert"), QStringLiteral("set"),
                                    QStringLiteral("delete")};
    return writes.contains(words.value(0));
}

bool employeesWrite(const QStringList& words)
{
    if (words.value(0) == QLatin1String("rate") || words.value(0) == QLatin1String("badge"))
        return !words.contains(QLatin1String("--list"));
    if (words.value(0) == QLatin1String("pin"))
        return !words.contains(QLatin1String("--show"));
    if (words.value(0) == QLatin1String("payroll"))
        return std::any_of(words.begin(), words.end(), [](const QString& word) {
            return word.startsWith(QLatin1String("--number")) || word.startsWith(QLatin1String("--first")) ||
                   word.startsWith(QLatin1String("--last")) || word == QLatin1String("--clear");
        });
    return words.value(0) == QLatin1String("import") && !words.contains(QLatin1String("--dry-run"));
}

int reportWithPay(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                  QTextStream& err)
{
    return runReportCommandWith(services, session, args, out, err, PaySummary::pairPaySource(session));
}

// Standard error shows what a user typed, but never raw control characters: an escape sequence in
// an argument must not drive the terminal.
QString shownOnTerminal(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = CommandOptions::shown(line);
    return lines.join(QLatin1Char('\n'));
}
} // namespace

const QList<Command>& commands()
{
    static const QList<Command> table = {
        {"help", &help, "  this list (also --help)", false, false},
        {"version", &version, "  the program's version (also --version)", false, false},
        {"report", &reportWithPay,
         "--from YYYY-MM-DD [--to YYYY-MM-DD] [--by employee|department] [--rounding NN]\n"
         "         [--format lines|csv|pdf] [--output FILE]  the clocking report",
         true, true, &neverWrites},
        {"pay", &runPayCommand,
         "--from YYYY-MM-DD [--to YYYY-MM-DD] [--rounding NN] [--format lines|csv|pdf] [--output FILE]\n"
         "         worked minutes by kind of pay, gross pay and tips per employee",
         true, true, &neverWrites},
        {"who-is-in", &runWhoIsInCommand,
         "[--days N | --expected]  who is clocked in and who is out, the In list first; with\n"
         "         --expected who is late by today's schedule",
         false, true, &neverWrites},
        {"audit", &runAuditCommand,
         "--from YYYY-MM-DD [--to YYYY-MM-DD]  the records whose time goes back (one day without\n"
         "         --to); exit 5 when any are found",
         false, true, &neverWrites},
        {"exceptions", &runExceptionsCommand,
         "--from YYYY-MM-DD [--to YYYY-MM-DD] [--kind KIND] [--all]  the punches that need a decision\n"
         "         (forced, no-out, double-in, long-shift, ...), the resolved ones too with --all;\n"
         "         exit 10 when any open one is found\n"
         "         resolve --record N --kind KIND [--note TEXT]  lets one stand (exit 1: no such one)",
         false, true, &ExceptionsCommand::writes},
        {"records", &runRecordsCommand,
         "--id ID [--from YYYY-MM-DD]  the record editor's list of one employee\n"
         "         insert --id ID --time 'YYYY-MM-DD HH:MM[:SS]' --in|--out [--reason TEXT] [--force]\n"
         "         set --record N [--time ...] [--in|--out] [--reason TEXT] [--force]\n"
         "         delete --record N [--reason TEXT] [--force]\n"
         "         the record editor's changes, each with its history entry (insert prints the new\n"
         "         record number); exit 10 when one would leave two INs or two OUTs in a row and\n"
         "         --force is not given, 11 when its day is in a locked pay period",
         false, true, &recordsWrite},
        {"payroll", &PayrollCommand::run,
         "periods [--from YYYY-MM-DD]  the pay periods of the last year (or from that day) and any\n"
         "         older one approved or locked, the current one first: period, first day, last day,\n"
         "         state (open, partly approved, approved, locked)\n"
         "         | approve --period FIRST-DAY [--id ID] | lock --period FIRST-DAY [--force]\n"
         "         | reopen --period FIRST-DAY --reason TEXT  a period's state, each in the edit history;\n"
         "         lock refuses hours not approved unless --force; a day that begins no period is\n"
         "         exit 2, a locked period exit 11\n"
         "         | export --period FIRST-DAY --profile adp|quickbooks|gusto|FILE.ini [--output FILE]\n"
         "         the period's hours in a payroll service's file (the profile's file name in the\n"
         "         current folder without --output); a period not locked exports with a warning",
         false, true, &PayrollCommand::writes},
        {"history", &runHistoryCommand,
         "[--record N] [--raw] | --verify [--expect N:HASH] | --purge-before YYYY-MM-DD\n"
         "         the edit history in words (--raw: as stored), its check, or a purge; a purge keeps\n"
         "         the pay periods' approvals, locks and reopenings",
         false, true, &historyWrites},
        {"purge", &runPurgeCommand, "--before YYYY-MM-DD  removes the clock records of the days before",
         false, true, &alwaysWrites},
        {"employees", &runEmployeesCommand,
         "import FILE.csv [--dry-run] [--create-departments] | export [FILE.csv]  the staff to and\n"
         "         from a spreadsheet; --dry-run prints what an import would do and writes nothing\n"
         "         | rate --id ID (--from YYYY-MM-DD --rate AMOUNT | --list | --from YYYY-MM-DD --remove)\n"
         "         an employee's hourly rates by the day they take effect\n"
         "         | badge (--id ID --badge NUMBER | --id ID --remove | --list)  the card or barcode that\n"
         "         clocks an employee in and out; a card read at the clock screen that is nobody's badge\n"
         "         is taken as a typed ID\n"
         "         | pin --id ID (--clear | --unlock | --show)  forgets an employee's PIN (a new one is\n"
         "         chosen at the next punch), ends a lock after wrong PINs, or shows both\n"
         "         | payroll --id ID [--number N] [--first TEXT] [--last TEXT] [--clear]  what the\n"
         "         payroll service knows the employee by: payroll number (empty: the ID) and first and\n"
         "         last names (empty: the stored name split at its last blank)",
         false, true, &employeesWrite},
        {"settings", &runSettingsCommand,
         "list | get KEY | set KEY VALUE  the options as key, value and default; set checks and saves\n"
         "         a value as the options dialog does",
         false, true, &SettingsCommand::writes},
        // Runs on the file alone: the server it fills is not yet one the program can start on.
        {"database", &runDatabaseCommand,
         "copy --to URL [--from FILE]  the data folder's Clock.mdb (or FILE) into an empty server\n"
         "         database, numbers and edit history kept; exit 8 when it holds records already",
         false, false},
    };
    return table;
}

const Command* commandIn(const QStringList& arguments)
{
    const QStringList words = commandWords(arguments);
    if (words.isEmpty())
        return nullptr;
    const QString first = words.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h"))
        return &commands()[0];
    if (first == QLatin1String("--version"))
        return &commands()[1];
    if (first.startsWith(QLatin1Char('-')))
        return nullptr; // Qt's own options (-platform, -style) belong to the windows

    for (const Command& command : commands()) {
        if (first == QLatin1String(command.name))
            return &command;
    }
    // An unknown word is still a command line: it must not open windows on a kiosk's screen.
    static const Command unknown{"", nullptr, "", false};
    return &unknown;
}

int runWith(const QStringList& arguments, const TimeSource& time, QTextStream& out, QTextStream& shownErr)
{
    // Everything for standard error passes through here to be shown safely.
    QString errText;
    QTextStream err(&errText);
    const auto finish = [&](int code) {
        out.flush();
        err.flush();
        shownErr << shownOnTerminal(errText);
        shownErr.flush();
        return code;
    };
    const Command* command = commandIn(arguments);
    const ProgramWide options = programWideOptions(arguments);
    QStringList words = options.words;
    if (!command || !command->run) {
        err << "tellarin: unknown command '" << CommandOptions::shown(words.value(0))
            << "' (tellarin help lists the commands)" << Qt::endl;
        return finish(BadArguments);
    }
    if (!options.problem.isEmpty()) {
        err << options.problem << Qt::endl;
        return finish(BadArguments);
    }
    words.removeFirst();

    StreamMessageBoxes messages(err);
    SilentSoundPlayer sounds;
    NoCamera camera;
    Database database;
    const QString folder = options.values.value(QStringLiteral("--program-folder"));
    const Services services{database, time, messages, sounds, camera};
    Session session(ProgramPaths(folder.isEmpty() ? ProgramPaths::resolveProgramFolder({}) : folder));
    QString locationError;
    const std::optional<DatabaseLocation> location =
        StationSettings::resolve(arguments, qEnvironmentVariable("TELLARIN_DATABASE"),
                                 StationSettings(session.paths().programFolder()), &locationError);
    if (!location) {
        err << "tellarin: " << locationError << Qt::endl;
        return finish(BadArguments);
    }
    session.setLocation(*location);
    if (command->startsUp) {
        StartUp startUp(services, session);
        // A command works beside a running clock screen, which holds the one-copy lock.
        startUp.requireSingleInstance = false;
        startUp.commandLine = true;
        startUp.readOnly = !command->writes || !command->writes(words);
        if (!startUp.run())
            return finish(DatabaseProblem);
    }
    return finish(command->run(services, session, words, out, err));
}

// Qt's own notes (a missing XDG_RUNTIME_DIR under cron, font fallbacks) would break the rule of one
// clear line on standard error; only real failures get through.
void quietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        fprintf(stderr, "tellarin: %s\n", qPrintable(message));
}

int run(int argc, char** argv)
{
    qInstallMessageHandler(&quietQtNotes);
    QStringList arguments;
    QByteArray notUtf8;
    for (int i = 0; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        arguments.append(utf8.decode(bytes));
        if (utf8.hasError() && notUtf8.isEmpty())
            notUtf8 = bytes;
    }
    // Names are UTF-8 text to Qt: other bytes would become another name, a folder nobody made.
    if (!notUtf8.isEmpty() && commandIn(arguments)) {
        QString shown;
        for (const char c : notUtf8)
            shown += (c & 0x80) ? QStringLiteral("\\x%1").arg(uchar(c), 2, 16, QLatin1Char('0'))
                                : CommandOptions::shown(QString(QLatin1Char(c)));
        fprintf(stderr, "tellarin: \"%s\" is not UTF-8 text; name it in UTF-8 (rename the folder)\n",
                qPrintable(shown));
        return BadArguments;
    }
    const Command* command = commandIn(arguments);
    std::unique_ptr<QCoreApplication> app;
    if (command && command->paints) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("Tellarin"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    const SystemTimeSource time;
    return runWith(arguments, time, out, err);
}

bool parseDate(const QString& text, const QString& option, QDate* date, QTextStream& err)
{
    *date = QDate::fromString(text, Qt::ISODate);
    if (date->isValid() && text.size() == 10)
        return true;
    err << "tellarin: " << option << " needs a date as YYYY-MM-DD, not '" << text << "'" << Qt::endl;
    return false;
}

} // namespace CommandLine
