#include "settings/SettingsCommand.h"

#include "platform/CommandOptions.h"
#include "platform/ProgramExit.h"
#include "settings/OptionsSave.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "settings/SettingsIo.h"
#include "settings/SettingsTable.h"

#include <optional>

namespace {
constexpr int badArguments = 2;
constexpr int databaseProblem = 3;

const QString usage = QStringLiteral(
    "usage: tellarin settings list | tellarin settings get KEY | tellarin settings set KEY VALUE");

// A command changes no employee source and ends no window: a change that needs a restart says so
// on standard error, and the running clock screen takes it at its next start.
class NoProgramExit final : public ProgramExit {
public:
    void endProgram() override {}
};

const Setting* settingOf(const QString& key, QTextStream& err)
{
    const Setting* setting = SettingsTable::find(key);
    if (!setting)
        err << "settings: unknown setting \"" << CommandOptions::shown(key)
            << "\" (tellarin settings list shows them)" << Qt::endl;
    return setting;
}

// A box of the options dialog reads text that is no number as 0, which the user sees before saving;
// a typed command line shows nothing, so a value that is not of the setting's kind is refused.
std::optional<QString> kindProblem(const Setting& setting, const QString& typed)
{
    switch (setting.kind) {
    case Setting::Kind::Flag: {
        const QString word = typed.trimmed().toLower();
        static const QStringList off = {QStringLiteral("off"), QStringLiteral("0"), QStringLiteral("no"),
                                        QStringLiteral("false")};
        if (SettingsTable::isOnText(word) || off.contains(word))
            return std::nullopt;
        return QStringLiteral("%1 is on or off, not \"%2\"").arg(setting.key, CommandOptions::shown(typed));
    }
    case Setting::Kind::Number:
    case Setting::Kind::Decimal:
    case Setting::Kind::Hours:
        if (!typed.trimmed().isEmpty() && SettingsIo::typedNumber(typed))
            return std::nullopt;
        return QStringLiteral("%1 needs a number, not \"%2\"").arg(setting.key, CommandOptions::shown(typed));
    case Setting::Kind::Text:
    case Setting::Kind::Choice:
    case Setting::Kind::Time:
    case Setting::Kind::Date:
        break; // their own checks say what they take
    }
    return std::nullopt;
}

int list(const Session& session, QTextStream& out)
{
    const SettingsRecord defaults; // as a blank row loads
    for (const Setting& setting : SettingsTable::all())
        out << setting.key << '\t' << CommandOptions::shown(setting.text(session.settings())) << '\t'
            << CommandOptions::shown(setting.text(defaults)) << '\n';
    out.flush();
    return 0;
}

int set(const Services& services, Session& session, const Setting& setting, const QString& typed,
        QTextStream& err)
{
    if (const std::optional<QString> problem = kindProblem(setting, typed)) {
        err << "settings: " << *problem << Qt::endl;
        return badArguments;
    }
    SettingsChange change;
    change.set(setting.key, typed);
    if (const std::optional<Refusal> refused = SettingsTable::refusal(change, session.settings())) {
        err << "settings: " << CommandOptions::shown(refused->text) << Qt::endl;
        return badArguments;
    }
    // The dialog's own save: the same stored form, the same restart notes. With the checks passed,
    // only the database can still refuse it, and the save has said why.
    NoProgramExit exit;
    const SourceChoice source(session.employeeSource());
    if (OptionsSave::run(services, session, change, source, exit) == OptionsSave::Outcome::Refused)
        return databaseProblem;
    return 0;
}
} // namespace

bool SettingsCommand::writes(const QStringList& words)
{
    return words.value(0) == QLatin1String("set");
}

int runSettingsCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                       QTextStream& err)
{
    const QString action = args.value(0);
    // A value is taken as typed, even one that begins with a minus sign.
    if (action == QLatin1String("list") && args.size() == 1)
        return list(session, out);
    if (action == QLatin1String("get") && args.size() == 2) {
        const Setting* setting = settingOf(args[1], err);
        if (!setting)
            return badArguments;
        out << CommandOptions::shown(setting->text(session.settings())) << Qt::endl;
        return 0;
    }
    if (action == QLatin1String("set") && args.size() == 3) {
        const Setting* setting = settingOf(args[1], err);
        if (!setting)
            return badArguments;
        return set(services, session, *setting, args[2], err);
    }
    err << usage << Qt::endl;
    return badArguments;
}
