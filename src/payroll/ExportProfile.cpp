#include "payroll/ExportProfile.h"

#include "payroll/ExportSources.h"
#include "store/OwnFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {
using ExportSources::Kind;
using ExportSources::Scope;

// Reads the lines of one profile, remembering where each setting stood for the checks that
// compare settings with one another.
class ProfileParser {
public:
    explicit ProfileParser(const QString& origin)
        : m_origin(origin)
    {}

    std::optional<ExportProfile> parse(const QString& text, QString* problem);

private:
    bool fail(int line, const QString& what)
    {
        m_problem = line > 0 ? QStringLiteral("%1 line %2: %3").arg(m_origin, QString::number(line), what)
                             : QStringLiteral("%1: %2").arg(m_origin, what);
        return false;
    }
    bool section(int line, const QString& name);
    bool setting(int line, const QString& key, const QString& value);
    bool column(int line, const QString& title, const QString& value);
    bool fileName(int line, const QString& pattern);
    bool finish();

    QString m_origin;
    QString m_problem;
    ExportProfile m_profile;
    QString m_section;
    QStringList m_sectionsSeen;
    QHash<QString, int> m_settingLines;
    QList<int> m_columnLines;
    QStringList m_blankZero;
};

// One of `choices` (compared without regard to case), as its index; -1 when none.
int choice(const QString& value, std::initializer_list<const char*> choices)
{
    int index = 0;
    for (const char* c : choices) {
        if (value.compare(QLatin1String(c), Qt::CaseInsensitive) == 0)
            return index;
        ++index;
    }
    return -1;
}

QString choicesText(std::initializer_list<const char*> choices)
{
    QStringList names;
    for (const char* c : choices)
        names.append(QLatin1String(c));
    return names.join(QStringLiteral(" or "));
}

// Only day, month and year letters, as QDate writes them: d to dddd, M to MMMM, yy or yyyy.
bool dateFormatUsable(const QString& format)
{
    static const QRegularExpression letters(QStringLiteral("[A-Za-z]+"));
    static const QRegularExpression fields(QStringLiteral("^(?:d{1,4}|M{1,4}|yy|yyyy)$"));
    bool any = false;
    for (auto it = letters.globalMatch(format); it.hasNext();) {
        const QString run = it.next().captured();
        // A run such as "ddMM" is two fields written together.
        static const QRegularExpression split(QStringLiteral("(d+|M+|y+|[^dMy]+)"));
        for (auto part = split.globalMatch(run); part.hasNext();) {
            if (!fields.match(part.next().captured()).hasMatch())
                return false;
        }
        any = true;
    }
    return any;
}

bool ProfileParser::section(int line, const QString& name)
{
    const QString lower = name.trimmed().toLower();
    if (lower != QLatin1String("profile") && lower != QLatin1String("columns"))
        return fail(line,
                    QStringLiteral("unknown section [%1]; a profile has [profile] and [columns]").arg(name));
    if (m_sectionsSeen.contains(lower))
        return fail(line, QStringLiteral("a second [%1] section").arg(lower));
    m_sectionsSeen.append(lower);
    m_section = lower;
    return true;
}

bool ProfileParser::setting(int line, const QString& key, const QString& value)
{
    static const QStringList keys = {
        QStringLiteral("name"),   QStringLiteral("format"),    QStringLiteral("rows"),
        QStringLiteral("header"), QStringLiteral("encoding"),  QStringLiteral("line_end"),
        QStringLiteral("hours"),  QStringLiteral("decimals"),  QStringLiteral("decimal_point"),
        QStringLiteral("date"),   QStringLiteral("file_name"), QStringLiteral("blank_zero"),
    };
    if (!keys.contains(key))
        return fail(line, QStringLiteral("unknown setting \"%1\"; [profile] takes %2")
                              .arg(key, keys.join(QStringLiteral(", "))));
    if (m_settingLines.contains(key))
        return fail(line, QStringLiteral("%1 is set a second time (first on line %2)")
                              .arg(key)
                              .arg(m_settingLines.value(key)));
    m_settingLines.insert(key, line);

    ExportProfile& p = m_profile;
    // A setting with a fixed set of values: the index of the one given.
    auto pick = [&](std::initializer_list<const char*> choices, auto apply) {
        const int index = choice(value, choices);
        if (index < 0)
            return fail(line,
                        QStringLiteral("%1 is \"%2\"; it must be %3").arg(key, value, choicesText(choices)));
        apply(index);
        return true;
    };
    if (key == QLatin1String("name")) {
        p.name = value;
    } else if (key == QLatin1String("format")) {
        return pick({"csv", "iif"}, [&](int i) { p.format = ExportProfile::Format(i); });
    } else if (key == QLatin1String("rows")) {
        return pick({"employee", "workday"}, [&](int i) { p.rows = ExportProfile::Rows(i); });
    } else if (key == QLatin1String("header")) {
        return pick({"yes", "no"}, [&](int i) { p.header = i == 0; });
    } else if (key == QLatin1String("encoding")) {
        return pick({"utf-8", "windows-1252"}, [&](int i) { p.encoding = ExportProfile::Encoding(i); });
    } else if (key == QLatin1String("line_end")) {
        return pick({"crlf", "lf"}, [&](int i) { p.crlf = i == 0; });
    } else if (key == QLatin1String("hours")) {
        return pick({"decimal", "h:mm"}, [&](int i) { p.hours = ExportProfile::Hours(i); });
    } else if (key == QLatin1String("decimals")) {
        static const QRegularExpression digit(QStringLiteral("^[0-4]$"));
        if (!digit.match(value).hasMatch())
            return fail(line,
                        QStringLiteral("decimals is \"%1\"; it must be a number from 0 to 4").arg(value));
        p.decimals = value.toInt();
    } else if (key == QLatin1String("decimal_point")) {
        if (value != QLatin1String(".") && value != QLatin1String(","))
            return fail(line, QStringLiteral("decimal_point is \"%1\"; it must be . or ,").arg(value));
        p.decimalPoint = value.front();
    } else if (key == QLatin1String("date")) {
        if (!dateFormatUsable(value))
            return fail(line, QStringLiteral("date is \"%1\"; write it with d, dd, M, MM, MMM, yy or yyyy "
                                             "and separators, such as MM/dd/yy")
                                  .arg(value));
        p.dateFormat = value;
    } else if (key == QLatin1String("file_name")) {
        return fileName(line, value);
    } else if (key == QLatin1String("blank_zero")) {
        for (const QString& part : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QString name = part.trimmed();
            const ExportSources::Source* source = ExportSources::find(name);
            if (!source || source->kind == Kind::Text)
                return fail(line, QStringLiteral("blank_zero names \"%1\"; it takes columns of hours or "
                                                 "money such as double_hours")
                                      .arg(name));
            m_blankZero.append(name);
        }
    }
    return true;
}

bool ProfileParser::fileName(int line, const QString& pattern)
{
    if (pattern.isEmpty())
        return fail(line, QStringLiteral("file_name is empty"));
    static const QRegularExpression placeholder(QStringLiteral("\\{([^{}]*)\\}"));
    QString rest = pattern;
    for (auto it = placeholder.globalMatch(pattern); it.hasNext();) {
        const QString name = it.next().captured(1);
        const ExportSources::Source* source = ExportSources::find(name);
        if (!source || (source->scope != Scope::Setting && source->scope != Scope::Period))
            return fail(line, QStringLiteral("file_name uses {%1}; a file name can use {period_first}, "
                                             "{period_last} and the payroll settings such as "
                                             "{adp.company}")
                                  .arg(name));
    }
    rest.remove(placeholder);
    if (rest.contains(QLatin1Char('{')) || rest.contains(QLatin1Char('}')))
        return fail(line, QStringLiteral("file_name has a { or } without its partner"));
    if (rest.contains(QLatin1Char('/')))
        return fail(line, QStringLiteral("file_name names a folder; it is a file name only"));
    m_profile.fileName = pattern;
    return true;
}

bool ProfileParser::column(int line, const QString& title, const QString& value)
{
    if (title.isEmpty())
        return fail(line, QStringLiteral("a column needs its title before the ="));
    for (const ExportColumn& c : std::as_const(m_profile.columns)) {
        if (c.title == title)
            return fail(line, QStringLiteral("a second column titled \"%1\"").arg(title));
    }
    ExportColumn c;
    c.title = title;
    if (value.isEmpty())
        return fail(line, QStringLiteral("column \"%1\" is missing what it holds; write a name such as "
                                         "regular_hours, or \"\" for an empty column")
                              .arg(title));
    if (value.startsWith(QLatin1Char('"'))) {
        if (value.size() < 2 || !value.endsWith(QLatin1Char('"')))
            return fail(line,
                        QStringLiteral("column \"%1\" has fixed text without its closing \"").arg(title));
        c.literal = value.mid(1, value.size() - 2);
    } else if (!ExportSources::find(value)) {
        return fail(line, QStringLiteral("column \"%1\" holds \"%2\", which is unknown; a column holds one "
                                         "of %3, or text in double quotes")
                              .arg(title, value, ExportSources::listed()));
    } else {
        c.source = value;
    }
    m_profile.columns.append(c);
    m_columnLines.append(line);
    return true;
}

bool ProfileParser::finish()
{
    ExportProfile& p = m_profile;
    if (!m_sectionsSeen.contains(QLatin1String("profile")))
        return fail(0, QStringLiteral("the [profile] section is missing"));
    for (const char* required : {"format", "file_name"}) {
        if (!m_settingLines.contains(QLatin1String(required)))
            return fail(0, QStringLiteral("[profile] is missing its %1 line").arg(QLatin1String(required)));
    }
    if (p.columns.isEmpty())
        return fail(0, QStringLiteral("the profile has no columns; list them under [columns]"));
    if (p.format == ExportProfile::Format::Iif && !p.header)
        return fail(m_settingLines.value(QStringLiteral("header")),
                    QStringLiteral("an IIF file always has its header lines; remove header = no"));
    for (qsizetype i = 0; i < p.columns.size(); ++i) {
        ExportColumn& c = p.columns[i];
        const ExportSources::Source* source = c.source.isEmpty() ? nullptr : ExportSources::find(c.source);
        if (!source)
            continue;
        const bool workdays = p.rows == ExportProfile::Rows::Workday;
        if (source->scope == Scope::WorkdayRows && !workdays)
            return fail(
                m_columnLines[i],
                QStringLiteral("column \"%1\" holds %2, which needs rows = workday").arg(c.title, c.source));
        if (source->scope == Scope::EmployeeRows && workdays)
            return fail(
                m_columnLines[i],
                QStringLiteral("column \"%1\" holds %2, which needs rows = employee").arg(c.title, c.source));
        c.blankWhenZero = m_blankZero.contains(c.source);
    }
    if (p.name.isEmpty())
        p.name = m_origin;
    return true;
}

std::optional<ExportProfile> ProfileParser::parse(const QString& text, QString* problem)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    bool ok = true;
    for (qsizetype i = 0; ok && i < lines.size(); ++i) {
        const int number = int(i + 1);
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            ok = line.endsWith(QLatin1Char(']'))
                     ? section(number, line.mid(1, line.size() - 2))
                     : fail(number, QStringLiteral("a section name without its ]"));
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0) {
            ok = fail(number, QStringLiteral("expected name = value, found \"%1\"").arg(line));
            continue;
        }
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (m_section.isEmpty())
            ok = fail(number, QStringLiteral("\"%1\" stands before the [profile] section").arg(key));
        else if (m_section == QLatin1String("profile"))
            ok = setting(number, key.toLower(), value);
        else
            ok = column(number, key, value);
    }
    if (ok)
        ok = finish();
    if (!ok) {
        if (problem)
            *problem = m_problem;
        return std::nullopt;
    }
    return m_profile;
}
} // namespace

QStringList ExportProfile::presetNames()
{
    return {QStringLiteral("adp"), QStringLiteral("quickbooks"), QStringLiteral("gusto")};
}

QString ExportProfile::presetText(const QString& name)
{
    if (!presetNames().contains(name))
        return {};
    QFile file(QStringLiteral(":/payroll/presets/%1.ini").arg(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

ExportProfile ExportProfile::preset(const QString& name)
{
    QString ignored;
    // The presets are part of the program; the tests read every one.
    return parse(presetText(name), name, &ignored).value_or(ExportProfile{});
}

std::optional<ExportProfile> ExportProfile::parse(const QString& text, const QString& origin,
                                                  QString* problem)
{
    return ProfileParser(origin).parse(text, problem);
}

std::optional<ExportProfile> ExportProfile::load(const QString& presetOrFile, QString* problem)
{
    if (presetNames().contains(presetOrFile))
        return preset(presetOrFile);
    QFile file(presetOrFile);
    if (!file.open(QIODevice::ReadOnly)) {
        if (problem)
            *problem = QStringLiteral("cannot read the profile %1: %2").arg(presetOrFile, file.errorString());
        return std::nullopt;
    }
    // A profile is a few lines; a large file is another file chosen by mistake.
    constexpr qint64 largestProfile = 1 << 20;
    if (file.size() > largestProfile) {
        if (problem)
            *problem = QStringLiteral("%1 is no export profile: it is larger than 1 MB").arg(presetOrFile);
        return std::nullopt;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(file.readAll());
    if (utf8.hasError()) {
        if (problem)
            *problem = QStringLiteral("the profile %1 is not UTF-8 text").arg(presetOrFile);
        return std::nullopt;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return parse(text, QFileInfo(presetOrFile).fileName(), problem);
}

bool ExportProfile::writePreset(const QString& name, const ProgramPaths& paths, const QString& output,
                                QString* error)
{
    const QString text = presetText(name);
    QString why;
    if (text.isEmpty())
        why = QStringLiteral("there is no profile called %1; the built-in ones are %2")
                  .arg(name, presetNames().join(QStringLiteral(", ")));
    else if (QFileInfo::exists(output) || QFileInfo(output).isSymLink())
        why = QStringLiteral("%1 exists already; remove it or name another file").arg(output);
    else
        why = OwnFiles::refusal(paths, output);
    if (why.isEmpty() && OwnFiles::writeOutput(output, text.toUtf8(), &why))
        return true;
    if (error)
        *error = why;
    return false;
}
