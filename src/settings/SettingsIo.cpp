#include "settings/SettingsIo.h"

#include "settings/Scramble.h"
#include "settings/SettingsTable.h"
#include "store/ProgramSettingsTable.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// Leading decimal number of typed text, exact: value = digits / scale.
struct Decimal {
    qint64 digits = 0;
    qint64 scale = 1;
};

// The whole text as a decimal number, the point being the locale's separator or '.'.
std::optional<Decimal> parseDecimal(const QString& typed, const QLocale& locale)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return Decimal{};
    const QString point = locale.decimalPoint();
    qsizetype i = 0;
    bool negative = false;
    if (text.startsWith(locale.negativeSign()) || text.startsWith(QLatin1Char('-'))) {
        negative = true;
        i = text.startsWith(QLatin1Char('-')) ? 1 : locale.negativeSign().size();
    } else if (text.startsWith(QLatin1Char('+'))) {
        i = 1;
    }
    Decimal d;
    bool seenPoint = false;
    bool seenDigit = false;
    while (i < text.size()) {
        if (!seenPoint && (text[i] == QLatin1Char('.') || QStringView(text).sliced(i).startsWith(point))) {
            seenPoint = true;
            i += text[i] == QLatin1Char('.') ? 1 : point.size();
            continue;
        }
        const QChar c = text[i++];
        if (!(c.unicode() >= '0' && c.unicode() <= '9'))
            return std::nullopt;
        seenDigit = true;
        // Beyond a billion nothing any option can mean; stopping there also keeps every product
        // made of the value (hours times 60) far inside 64 bits.
        if (d.digits > 1'000'000'000'000LL || d.scale > 1'000'000'000'000LL)
            continue;
        d.digits = d.digits * 10 + (c.unicode() - '0');
        if (seenPoint)
            d.scale *= 10;
    }
    if (!seenDigit)
        return std::nullopt;
    if (negative)
        d.digits = -d.digits;
    return d;
}

} // namespace

std::optional<double> SettingsIo::typedNumber(const QString& text, const QLocale& locale)
{
    const std::optional<Decimal> d = parseDecimal(text, locale);
    if (!d)
        return std::nullopt;
    return static_cast<double>(d->digits) / static_cast<double>(d->scale);
}

QString SettingsIo::hoursText(qint16 minutes, const QLocale& locale)
{
    QString text = QString::number(minutes / 60.0, 'f', 1);
    // "##.0" writes no digit before the point when the hours are below one.
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    return text.replace(QLatin1Char('.'), locale.decimalPoint());
}

QString SettingsIo::numberText(double value, const QLocale& locale)
{
    return QString::number(value, 'g', 7).replace(QLatin1Char('.'), locale.decimalPoint());
}

qint16 SettingsIo::typedMinutes(const QString& hours, const QLocale& locale)
{
    const Decimal typed = parseDecimal(hours, locale).value_or(Decimal{});
    const qint64 minutes = typed.digits * 60 / typed.scale;
    return static_cast<qint16>(std::clamp<qint64>(minutes, -32768, 32767));
}

SettingsRecord SettingsIo::load(const ApplicationTable::Row& row, const QVariantMap& program)
{
    SettingsRecord s;
    for (const Setting& setting : SettingsTable::all())
        setting.read(setting.place == Setting::Place::ProgramTable ? program.value(setting.key)
                                                                   : row.value(setting.field),
                     s);

    const QString stored = row.value(QStringLiteral("PW")).toString();
    // Only blanks make a stored password empty: scrambling can turn real characters into tabs.
    const bool onlyBlanks =
        std::all_of(stored.cbegin(), stored.cend(), [](QChar c) { return c == QLatin1Char(' '); });
    s.password = onlyBlanks ? QString() : Scramble::apply(stored).toUpper().trimmed();
    return s;
}

SettingsIo::Saved SettingsIo::save(const SettingsChange& change, const SettingsRecord& current)
{
    Saved out;
    out.held = current;
    QList<QString> bitFields;
    for (const Setting& setting : SettingsTable::all()) {
        const std::optional<QString> typed = change.typed(setting.key);
        if (!typed)
            continue;
        const QVariant stored = setting.take(*typed, current, out.held);
        if (setting.place == Setting::Place::ProgramTable)
            out.programValues.append({setting.key, stored});
        else if (setting.kind != Setting::Kind::Flag)
            out.fields.append({setting.field, stored});
        else if (!bitFields.contains(setting.field))
            bitFields.append(setting.field);
    }
    // A bit field is written whole, the flags the change left alone as they were.
    for (const QString& field : std::as_const(bitFields)) {
        qint32 value = 0;
        for (const Setting& setting : SettingsTable::all()) {
            if (setting.kind == Setting::Kind::Flag && setting.place == Setting::Place::ApplicationRow &&
                setting.field == field)
                value += setting.fieldBits(out.held);
        }
        out.fields.append({field, value});
    }
    return out;
}

SettingsRecord SettingsIo::read(Database& database)
{
    const ApplicationTable::Row row = ApplicationTable(database).read();
    return load(row, ProgramSettingsTable(database).read());
}
