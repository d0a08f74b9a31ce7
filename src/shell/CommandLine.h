#pragma once

#include <QStringList>

class QDate;
class QTextStream;
class TimeSource;
struct Services;
class Session;

// The headless commands (`tellarin report ...`): each runs the domain code on a started program
// state with no display. Exit codes: 0 done, 1 nothing found, 2 bad arguments, 3 database problem,
// higher as a command defines them.
namespace CommandLine {

enum ExitCode { Done = 0, NothingFound = 1, BadArguments = 2, DatabaseProblem = 3 };

// A command gets the words after its name (--program-folder already taken out).
using Run = int (*)(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                    QTextStream& err);

struct Command {
    const char* name;
    Run run;
    const char* synopsis;
    // Whether it may paint (PDF output): it then gets a QGuiApplication on the offscreen platform.
    bool paints = false;
    // Whether it needs the program started (clock database open, settings and staff loaded).
    bool startsUp = true;
    // Whether these words of the command change the clock database or the staff files; a command
    // that only reads opens the database read-only.
    bool (*writes)(const QStringList& words) = nullptr;
};

const QList<Command>& commands();

// The command named by the program's arguments, or nullptr when they ask for the windows.
const Command* commandIn(const QStringList& arguments);

// Creates the application object the command needs and runs it.
int run(int argc, char** argv);

// Runs a command on the program's arguments with an application object already in place.
int runWith(const QStringList& arguments, const TimeSource& time, QTextStream& out, QTextStream& err);

// Reads an ISO date (YYYY-MM-DD); false with one line on err when it is not a real date.
bool parseDate(const QString& text, const QString& option, QDate* date, QTextStream& err);

} // namespace CommandLine
