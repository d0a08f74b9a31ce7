#include "settings/SettingsIo.h"

#include "settings/OptionBits.h"
#include "settings/Scramble.h"

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

qint16 toInt16(double value)
{
    const double rounded = std::nearbyint(value); // halves go to even, as integer fields always did
    return static_cast<qint16>(qBound(-32768.0, rounded, 32767.0));
}

QString orDefault(const QString& text, const char* fallback)
{
    return text.trimmed().isEmpty() ? QString::fromLatin1(fallback) : text;
}

void readText(const ApplicationTable::Row& row, const char* field, QString& target)
{
    const QVariant value = row.value(QString::fromLatin1(field));
    if (!value.isNull())
        target = value.toString();
}

void readInt16(const ApplicationTable::Row& row, const char* field, qint16& target)
{
    const QVariant value = row.value(QString::fromLatin1(field));
    if (!value.isNull())
        target = toInt16(value.toDouble());
}

void defaultZero(qint16& value, qint16 fallback)
{
    if (value == 0)
        value = fallback;
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

SettingsRecord SettingsIo::load(const ApplicationTable::Row& row)
{
    SettingsRecord s;
    // Nothing of the record's built-in defaults survives except through the rules below.
    s.earlyMessage = s.lateMessage = s.lateInMessage = s.earlyOutMessage = QString();
    s.enterId = s.tipsWord = s.clockingIn = s.clockingOut = s.notFound = s.tryAgain = s.rejected = QString();
    s.earlyLimit = s.lateLimit = s.lateInLimit = s.earlyOutLimit = s.screenInOutDays = s.pictureDays = 0;

    OptionBits::decode(row.value(QStringLiteral("Options")).toLongLong(),
                       row.value(QStringLiteral("Options2")).toLongLong(), s);

    readText(row, "EarlyMessage", s.earlyMessage);
    readText(row, "LateMessage", s.lateMessage);
    readText(row, "LateINmessage", s.lateInMessage);
    readText(row, "EarlyOUTmessage", s.earlyOutMessage);
    readInt16(row, "EarlyLimit", s.earlyLimit);
    readInt16(row, "LateLimit", s.lateLimit);
    readInt16(row, "LateINLimit", s.lateInLimit);
    readInt16(row, "EarlyOUTLimit", s.earlyOutLimit);
    readInt16(row, "ScreenINOUTDays", s.screenInOutDays);
    readText(row, "NotFound", s.notFound);
    readText(row, "TryAgain", s.tryAgain);
    readInt16(row, "PictureDays", s.pictureDays);
    readText(row, "EnterID", s.enterId);
    readText(row, "TipsWord", s.tipsWord);
    readText(row, "ClockingIN", s.clockingIn);
    readText(row, "ClockingOUT", s.clockingOut);
    readText(row, "GoodMorning", s.goodMorning);
    readText(row, "GoodNight", s.goodNight);
    readText(row, "Rejected", s.rejected);
    readInt16(row, "KeepInSeconds", s.keepInSeconds);
    readInt16(row, "KeepOutSeconds", s.keepOutSeconds);

    const QVariant forceAfter = row.value(QStringLiteral("ForceAfter"));
    s.forceAfter = forceAfter.isNull() ? 12.0f : forceAfter.toFloat();
    const QVariant minutesToDeduct = row.value(QStringLiteral("MinutesToDeduct"));
    s.minutesToDeduct = minutesToDeduct.isNull() ? qint16(30) : toInt16(minutesToDeduct.toDouble());
    const QVariant minBeforeDed = row.value(QStringLiteral("MinBeforeDed"));
    s.minBeforeDed = minBeforeDed.isNull() ? qint16(300) : toInt16(minBeforeDed.toDouble());
    defaultZero(s.minBeforeDed, 300);

    const QString stored = row.value(QStringLiteral("PW")).toString();
    // Only blanks make a stored password empty: scrambling can turn real characters into tabs.
    const bool onlyBlanks =
        std::all_of(stored.cbegin(), stored.cend(), [](QChar c) { return c == QLatin1Char(' '); });
    s.password = onlyBlanks ? QString() : Scramble::apply(stored).toUpper().trimmed();

    s.earlyMessage = orDefault(s.earlyMessage, "You clocked in early...");
    s.lateMessage = orDefault(s.lateMessage, "You clocked out late...");
    s.lateInMessage = orDefault(s.lateInMessage, "You clocked in late...");
    s.earlyOutMessage = orDefault(s.earlyOutMessage, "You clocked out early...");
    defaultZero(s.earlyLimit, 10);
    defaultZero(s.lateLimit, 10);
    defaultZero(s.lateInLimit, 10);
    defaultZero(s.earlyOutLimit, 10);
    defaultZero(s.screenInOutDays, 7);
    defaultZero(s.pictureDays, 30);
    s.enterId = orDefault(s.enterId, "Enter ID");
    s.tipsWord = orDefault(s.tipsWord, "Tips");
    s.clockingIn = orDefault(s.clockingIn, "Clocking In");
    s.clockingOut = orDefault(s.clockingOut, "Clocking Out");
    s.notFound = orDefault(s.notFound, "not found");
    s.tryAgain = orDefault(s.tryAgain, "try again");
    s.rejected = orDefault(s.rejected, "Rejected");
    return s;
}

SettingsIo::Saved SettingsIo::save(const OptionsEntry& e, const SettingsRecord& current)
{
    Saved out;
    SettingsRecord& s = out.held;
    s = e.flags;
    s.password = current.password;

    // Boxes that do not hold a number were refused before; here they count as 0.
    const auto number = [](const QString& text) {
        return typedNumber(text).value_or(0.0);
    };
    const auto typed16 = [&](const QString& text) {
        return toInt16(number(text));
    };
    const qint16 earlyLimit = typed16(e.earlyLimit);
    const qint16 lateLimit = typed16(e.lateLimit);
    const qint16 lateInLimit = typed16(e.lateInLimit);
    const qint16 earlyOutLimit = typed16(e.earlyOutLimit);
    const qint16 pictureDays = typed16(e.pictureDays);
    const qint16 minutesToDeduct = typed16(e.minutesToDeduct);
    const float forceAfter = static_cast<float>(number(e.forceAfter));
    s.earlyLimit = earlyLimit == 0 ? qint16(10) : earlyLimit;
    s.lateLimit = lateLimit == 0 ? qint16(10) : lateLimit;
    s.lateInLimit = lateInLimit == 0 ? qint16(10) : lateInLimit;
    s.earlyOutLimit = earlyOutLimit == 0 ? qint16(10) : earlyOutLimit;
    s.pictureDays = pictureDays == 0 ? qint16(30) : pictureDays;
    s.minutesToDeduct = minutesToDeduct == 0 ? qint16(30) : minutesToDeduct;
    s.forceAfter = forceAfter;
    s.screenInOutDays = typed16(e.screenInOutDays);
    defaultZero(s.screenInOutDays, 7);

    const auto seconds = [&](const QString& text) {
        const qint16 value = typed16(text);
        return value < 0 || value > 10 ? qint16(2) : value;
    };
    s.keepInSeconds = seconds(e.keepInSeconds);
    s.keepOutSeconds = seconds(e.keepOutSeconds);

    // The box shows hours with one decimal, which most minute counts do not survive (255 minutes
    // show as 4.3 hours): hours left as they were shown keep the minutes they were shown from.
    qint16 minBeforeDed = current.minBeforeDed;
    if (e.minBeforeDedHours.trimmed() != hoursText(current.minBeforeDed)) {
        // Hours to whole minutes exactly: 4.1 hours is 246 minutes, not 245.99.
        const Decimal hours = parseDecimal(e.minBeforeDedHours, QLocale()).value_or(Decimal{});
        const qint64 minutes = hours.digits * 60 / hours.scale;
        minBeforeDed = static_cast<qint16>(std::clamp<qint64>(minutes, -32768, 32767));
    }
    s.minBeforeDed = minBeforeDed == 0 ? qint16(300) : minBeforeDed;

    const auto held = [](const QString& typed, const char* fallback) {
        return orDefault(typed.trimmed(), fallback);
    };
    s.earlyMessage = held(e.earlyMessage, "You clocked in early..");
    s.lateMessage = held(e.lateMessage, "You clocked out late...");
    s.lateInMessage = held(e.lateInMessage, "You clocked in late...");
    s.earlyOutMessage = held(e.earlyOutMessage, "You clocked out early...");
    s.notFound = held(e.notFound, "not found");
    s.tryAgain = held(e.tryAgain, "try again");
    s.enterId = held(e.enterId, "Enter ID");
    s.tipsWord = held(e.tipsWord, "Tips");
    s.clockingIn = held(e.clockingIn, "Clocking IN");
    s.clockingOut = held(e.clockingOut, "Clocking OUT");
    s.rejected = held(e.rejected, "Rejected");
    s.goodMorning = e.goodMorning.trimmed();
    s.goodNight = e.goodNight.trimmed();

    const auto field = [&](const char* name, const QVariant& value) {
        out.fields.append({QString::fromLatin1(name), value});
    };
    field("NotFound", e.notFound.trimmed());
    field("TryAgain", e.tryAgain.trimmed());
    field("EarlyLimit", earlyLimit);
    field("LateLimit", lateLimit);
    field("EarlyOUTLimit", earlyOutLimit);
    field("LateINLimit", lateInLimit);
    field("EarlyMessage", s.earlyMessage);
    field("LateMessage", s.lateMessage);
    field("EarlyOUTMessage", s.earlyOutMessage);
    field("LateINmessage", s.lateInMessage);
    field("ScreenINOUTdays", s.screenInOutDays);
    field("PictureDays", pictureDays);
    field("EnterID", e.enterId.trimmed());
    field("TipsWord", e.tipsWord.trimmed());
    field("ClockingIN", e.clockingIn.trimmed());
    field("ClockingOUT", e.clockingOut.trimmed());
    field("GoodMorning", s.goodMorning);
    field("GoodNight", s.goodNight);
    field("Rejected", e.rejected.trimmed());
    field("KeepInSeconds", s.keepInSeconds);
    field("KeepOutSeconds", s.keepOutSeconds);
    field("Options", OptionBits::encodeOptions(s));
    field("Options2", OptionBits::encodeOptions2(s));
    field("ForceAfter", static_cast<double>(forceAfter));
    field("MinutesToDeduct", minutesToDeduct);
    field("MinBeforeDed", minBeforeDed);
    return out;
}
