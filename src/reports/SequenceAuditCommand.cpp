#include "reports/SequenceAuditCommand.h"

#include "reports/SequenceAudit.h"
#include "settings/ProgramState.h"
#include "store/DatabaseError.h"
#include "store/DayNumber.h"

#include <QDate>
#include <QLocale>

namespace {
constexpr int violationsFound = 5;
const char* const usage = "usage: audit --from YYYY-MM-DD [--to YYYY-MM-DD]";
} // namespace

int runAuditCommand(ProgramState& state, const QStringList& args, QTextStream& out, QTextStream& err)
{
    QDate from;
    QDate to;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& word = args.at(i);
        QDate* target = nullptr;
        QString value;
        for (const auto& [name, date] :
             {std::pair{QStringLiteral("--from"), &from}, std::pair{QStringLiteral("--to"), &to}}) {
            if (word == name && i + 1 < args.size()) {
                target = date;
                value = args.at(++i);
            } else if (word.startsWith(name + QLatin1Char('='))) {
                target = date;
                value = word.mid(name.size() + 1);
            }
        }
        if (!target) {
            err << "audit: unexpected argument \"" << word << "\"; " << usage << '\n';
            return 2;
        }
        *target = QDate::fromString(value, Qt::ISODate);
        if (!target->isValid()) {
            err << "audit: \"" << value << "\" is not a date of the form YYYY-MM-DD\n";
            return 2;
        }
    }
    if (!from.isValid()) {
        err << "audit: the first day is missing; " << usage << '\n';
        return 2;
    }
    if (to.isValid() && to < from) {
        err << "audit: --to " << to.toString(Qt::ISODate) << " is before --from "
            << from.toString(Qt::ISODate) << '\n';
        return 2;
    }

    const SequenceAudit::Period period{DayNumber::of(from), to.isValid() ? DayNumber::of(to) : 0};
    SequenceAudit::Result result;
    try {
        result = SequenceAudit::run(state.database, period);
        if (result.tableEmpty) {
            err << "audit: " << SequenceAudit::noRecordsText << '\n';
            return 1;
        }
        const QStringList lines =
            SequenceAudit::lines(result, state.settings.clock12Hour, QLocale(),
                                 SequenceAudit::changeNotes(state.database, state.settings.clock12Hour));
        for (const QString& line : lines)
            out << line << '\n';
    } catch (const DatabaseError& error) {
        err << "audit: " << error.userMessage().simplified() << '\n';
        return 3;
    }
    return result.violations.isEmpty() ? 0 : violationsFound;
}
