#include "reports/ReportChoices.h"

#include "platform/CommandOptions.h"
#include "platform/ProgramPaths.h"
#include "reports/ReportTexts.h"
#include "store/DayNumber.h"
#include "store/OwnFiles.h"

#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>

namespace {
constexpr int badArguments = 2;
constexpr int outputFailed = 6;
} // namespace

QStringList ReportChoices::options(bool withRounding)
{
    QStringList names = {QStringLiteral("--from"), QStringLiteral("--to"), QStringLiteral("--format"),
                         QStringLiteral("--output")};
    if (withRounding)
        names.append(QStringLiteral("--rounding"));
    return names;
}

std::optional<ReportChoices> ReportChoices::read(const QString& command, const CommandOptions& a,
                                                 const ProgramPaths& paths, QTextStream& err, int* exit)
{
    *exit = badArguments;
    const auto bad = [&](const QString& text) {
        err << command << QStringLiteral(": ") << text << Qt::endl;
        return std::nullopt;
    };
    ReportChoices c;
    for (const auto& [option, day] :
         {std::pair{QStringLiteral("--from"), &c.firstDay}, std::pair{QStringLiteral("--to"), &c.lastDay}}) {
        if (!a.has(option))
            continue;
        *day = DayNumber::fromIso(a.value(option));
        if (*day == 0)
            return bad(QStringLiteral("%1 \"%2\" is not a date of the form YYYY-MM-DD")
                           .arg(option, CommandOptions::shown(a.value(option))));
    }
    if (c.firstDay == 0)
        return bad(ReportTexts::CheckDate(0, c.lastDay)->text + QStringLiteral(" (--from YYYY-MM-DD)"));
    if (c.lastDay == 0)
        c.lastDay = c.firstDay; // one day
    if (const auto problem = ReportTexts::CheckDate(c.firstDay, c.lastDay))
        return bad(problem->text);

    c.print = PrintDat::load(PrintDat::path(paths));
    c.rounding = RoundingCode(c.print.roundingCode);
    if (a.has(QStringLiteral("--rounding"))) {
        const auto code = RoundingCode::parse(a.value(QStringLiteral("--rounding")));
        if (!code)
            return bad(
                QStringLiteral("--rounding must be two digits from 1 to 5 (IN rule, OUT rule), not \"%1\"")
                    .arg(CommandOptions::shown(a.value(QStringLiteral("--rounding")))));
        c.rounding = *code;
    }

    c.format = a.value(QStringLiteral("--format"), QStringLiteral("lines"));
    if (c.format != QLatin1String("lines") && c.format != QLatin1String("csv") &&
        c.format != QLatin1String("pdf"))
        return bad(QStringLiteral("--format must be lines, csv or pdf, not \"%1\"")
                       .arg(CommandOptions::shown(c.format)));
    c.output = a.value(QStringLiteral("--output"));
    if (c.format == QLatin1String("pdf") && c.output.isEmpty())
        return bad(QStringLiteral("--format pdf needs --output FILE"));
    if (!c.output.isEmpty()) {
        if (const QString refusal = OwnFiles::refusal(paths, c.output); !refusal.isEmpty()) {
            *exit = outputFailed;
            return bad(refusal);
        }
    }
    *exit = 0;
    return c;
}

int ReportChoices::write(const QString& command, const Writers& writers, QTextStream& out,
                         QTextStream& err) const
{
    const bool pdf = format == QLatin1String("pdf");
    if (pdf && !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        err << command << QStringLiteral(": PDF output needs the graphics application") << Qt::endl;
        return outputFailed;
    }
    const auto& text = format == QLatin1String("csv") ? writers.csv : writers.lines;
    if (output.isEmpty()) {
        text(out);
        out.flush();
        return 0;
    }
    QSaveFile file(output);
    bool written = file.open(QIODevice::WriteOnly);
    if (written && pdf) {
        written = writers.pdf(file);
    } else if (written) {
        QTextStream toFile(&file);
        text(toFile);
        toFile.flush();
    }
    if (!written || !file.commit()) {
        file.cancelWriting();
        err << command
            << QStringLiteral(": cannot write \"%1\": %2")
                   .arg(CommandOptions::shown(output), file.errorString())
            << Qt::endl;
        return outputFailed;
    }
    return 0;
}
