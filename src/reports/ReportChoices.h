#pragma once

#include "reports/PrintSettings.h"
#include "reports/Rounding.h"

#include <QString>
#include <functional>
#include <optional>

class CommandOptions;
class QIODevice;
class QTextStream;
class ProgramPaths;

// The choices every report command reads the same way: the period, the rounding, the format and
// the output file, and how the finished report reaches standard output or its file.
struct ReportChoices {
    qint32 firstDay = 0;
    qint32 lastDay = 0;
    RoundingCode rounding;
    QString format; // lines, csv or pdf
    QString output; // empty: standard output
    PrintSettings print;

    // The options every report command takes (with --rounding when `withRounding`).
    static QStringList options(bool withRounding = true);
    // Reads --from, --to, --rounding, --format and --output; nothing, with the problem written to
    // `err` and the exit code in *exit (2 bad arguments, 6 an output the program must not write).
    static std::optional<ReportChoices> read(const QString& command, const CommandOptions& options,
                                             const ProgramPaths& paths, QTextStream& err, int* exit);

    // The three ways a report is written.
    struct Writers {
        std::function<void(QTextStream&)> lines;
        std::function<void(QTextStream&)> csv;
        std::function<bool(QIODevice&)> pdf; // false: nothing could be drawn
    };
    // Writes the chosen format to `out`, or through a temporary file renamed into place so a failed
    // write leaves an earlier report whole. Returns the exit code: 0 or 6.
    int write(const QString& command, const Writers& writers, QTextStream& out, QTextStream& err) const;
};
