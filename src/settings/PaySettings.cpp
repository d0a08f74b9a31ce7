#include "settings/PaySettings.h"

#include "settings/ProgramSettingRows.h"
#include "settings/SettingsIo.h"

#include <QDate>
#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace {
using Kind = Setting::Kind;
using R = SettingsRecord;

const QString payTitle = QStringLiteral("Pay");
const QString payrollTitle = QStringLiteral("Payroll");

const auto own = SettingsTable::ownSetting;
using SettingsTable::storedText;

using ProgramSettingRows::onOff;

struct Span {
    qint32 low;
    qint32 high;
    bool zeroAllowed = false;
    bool contains(qint32 minutes) const
    {
        return (zeroAllowed && minutes == 0) || (minutes >= low && minutes <= high);
    }
};

// Hours and minutes within a span; a stored value outside it loads the default.
Setting time(const char* name, qint32 R::*member, qint32 fallback, Span span, const char* refusal,
             const QString& title = payTitle)
{
    Setting s = own(name, Kind::Time);
    s.read = [=](const QVariant& stored, R& settings) {
        const std::optional<qint32> minutes = PaySettings::typedMinutes(storedText(stored));
        settings.*member = minutes && span.contains(*minutes) ? *minutes : fallback;
    };
    s.text = [=](const R& settings) {
        return PaySettings::minutesText(settings.*member);
    };
    s.take = [=](const QString& typed, const R&, R& held) {
        const std::optional<qint32> minutes = PaySettings::typedMinutes(typed);
        held.*member = minutes && span.contains(*minutes) ? *minutes : fallback;
        return QVariant(PaySettings::minutesText(held.*member));
    };
    const QString text = QString::fromLatin1(refusal);
    s.check = [=](const SettingsChange& change, const R& current) -> std::optional<Refusal> {
        const std::optional<qint32> minutes = PaySettings::typedMinutes(change.textOf(s.key, current));
        if (!minutes || !span.contains(*minutes))
            return Refusal{text, title};
        return std::nullopt;
    };
    return s;
}

// One of a list of words, held as its index; the choice is stored as its word.
Setting choice(const char* name, const QStringList& choices, int fallback, std::function<void(R&, int)> set,
               std::function<int(const R&)> get, const QString& title)
{
    Setting s = own(name, Kind::Choice);
    s.choices = choices;
    const auto indexOf = [=](const QString& typed) {
        for (qsizetype i = 0; i < choices.size(); ++i) {
            if (choices[i].compare(typed.trimmed(), Qt::CaseInsensitive) == 0)
                return int(i);
        }
        return -1;
    };
    s.read = [=](const QVariant& stored, R& settings) {
        const int index = indexOf(storedText(stored));
        set(settings, index < 0 ? fallback : index);
    };
    s.text = [=](const R& settings) {
        return choices.value(get(settings));
    };
    s.take = [=](const QString& typed, const R&, R& held) {
        const int index = indexOf(typed);
        set(held, index < 0 ? fallback : index);
        return QVariant(choices.value(get(held)));
    };
    s.check = [=](const SettingsChange& change, const R& current) -> std::optional<Refusal> {
        if (indexOf(change.textOf(s.key, current)) < 0)
            return Refusal{QStringLiteral("%1 is one of: %2").arg(s.key, choices.join(QStringLiteral(", "))),
                           title};
        return std::nullopt;
    };
    return s;
}

// A free text, trimmed; a blank one is held as the default.
Setting words(const char* name, QString R::*member, const char* fallback)
{
    Setting s = own(name, Kind::Text);
    const QString otherwise = QString::fromLatin1(fallback);
    s.read = [=](const QVariant& stored, R& settings) {
        const QString text = storedText(stored);
        settings.*member = text.isEmpty() ? otherwise : text;
    };
    s.text = [=](const R& settings) {
        return settings.*member;
    };
    s.take = [=](const QString& typed, const R&, R& held) {
        const QString text = typed.trimmed();
        held.*member = text.isEmpty() ? otherwise : text;
        return QVariant(held.*member);
    };
    return s;
}

// A pay rate's multiplier, held in ten-thousandths and stored with a point whatever the locale.
std::optional<qint32> typedMultiplier(const QString& typed)
{
    if (typed.trimmed().isEmpty())
        return std::nullopt;
    const std::optional<double> value = SettingsIo::typedNumber(typed);
    if (!value || *value < 1.0 || *value > 10.0)
        return std::nullopt;
    return qint32(std::llround(*value * 10000.0));
}

QString multiplierText(qint32 tenThousandths, const QLocale& locale = QLocale())
{
    QString text = QString::number(tenThousandths / 10000.0, 'f', 4);
    while (text.endsWith(QLatin1Char('0')) && !text.endsWith(QLatin1String(".0")))
        text.chop(1);
    return text.replace(QLatin1Char('.'), locale.decimalPoint());
}

Setting multiplier(const char* name, qint32 R::*member, qint32 fallback)
{
    Setting s = own(name, Kind::Decimal);
    s.read = [=](const QVariant& stored, R& settings) {
        settings.*member = typedMultiplier(storedText(stored)).value_or(fallback);
    };
    s.text = [=](const R& settings) {
        return multiplierText(settings.*member);
    };
    s.take = [=](const QString& typed, const R&, R& held) {
        held.*member = typedMultiplier(typed).value_or(fallback);
        return QVariant(multiplierText(held.*member, QLocale::c()));
    };
    return s;
}

Setting rates()
{
    Setting s = multiplier("pay.overtime_rate", &R::payOvertimeMultiplier, 15000);
    s.check = [](const SettingsChange& change, const R& current) -> std::optional<Refusal> {
        if (!typedMultiplier(change.textOf(QStringLiteral("pay.overtime_rate"), current)))
            return Refusal{QStringLiteral("Overtime pays 1 to 10 times the pay rate"), payTitle};
        return std::nullopt;
    };
    return s;
}

Setting doubleRate()
{
    Setting s = multiplier("pay.double_rate", &R::payDoubleMultiplier, 20000);
    s.check = [](const SettingsChange& change, const R& current) -> std::optional<Refusal> {
        const std::optional<qint32> overtime =
            typedMultiplier(change.textOf(QStringLiteral("pay.overtime_rate"), current));
        const std::optional<qint32> doubled =
            typedMultiplier(change.textOf(QStringLiteral("pay.double_rate"), current));
        if (!doubled)
            return Refusal{QStringLiteral("Double time pays 1 to 10 times the pay rate"), payTitle};
        if (overtime && *doubled < *overtime)
            return Refusal{QStringLiteral("Double time cannot pay less than overtime"), payTitle};
        return std::nullopt;
    };
    s.checkReads = {QStringLiteral("pay.overtime_rate")};
    return s;
}

Setting dailyOvertimeAfter()
{
    Setting s = time("pay.daily_overtime_after", &R::payDailyOvertimeAfter, 480, {30, 1440},
                     "Daily overtime starts after 0:30 to 24:00 hours of a workday");
    const auto inRange = s.check;
    s.check = [=](const SettingsChange& change, const R& current) -> std::optional<Refusal> {
        if (!change.isOn(QStringLiteral("pay.daily_overtime"), current))
            return std::nullopt;
        return inRange(change, current);
    };
    s.checkReads = {QStringLiteral("pay.daily_overtime")};
    return s;
}

Setting dailyDoubleAfter()
{
    Setting s = time("pay.daily_double_after", &R::payDailyDoubleAfter, 720, {30, 1440},
                     "Daily double time starts after 0:30 to 24:00 hours of a workday");
    const auto inRange = s.check;
    s.check = [=](const SettingsChange& change, const R& current) -> std::optional<Refusal> {
        if (!change.isOn(QStringLiteral("pay.daily_double"), current))
            return std::nullopt;
        if (std::optional<Refusal> refused = inRange(change, current))
            return refused;
        const auto overtime =
            PaySettings::typedMinutes(change.textOf(QStringLiteral("pay.daily_overtime_after"), current));
        const auto doubled =
            PaySettings::typedMinutes(change.textOf(QStringLiteral("pay.daily_double_after"), current));
        if (change.isOn(QStringLiteral("pay.daily_overtime"), current) && overtime && *doubled <= *overtime)
            return Refusal{QStringLiteral("Daily double time must start after daily overtime"), payTitle};
        return std::nullopt;
    };
    s.checkReads = {QStringLiteral("pay.daily_double"), QStringLiteral("pay.daily_overtime"),
                    QStringLiteral("pay.daily_overtime_after")};
    return s;
}

QStringList roundingCodes()
{
    QStringList codes;
    for (int in = 1; in <= 5; ++in) {
        for (int out = 1; out <= 5; ++out)
            codes.append(QString::number(in * 10 + out));
    }
    return codes;
}

Setting anchor()
{
    Setting s = own("payroll.anchor", Kind::Date);
    const auto valid = [](const QString& text) {
        return text.isEmpty() || (text.size() == 10 && QDate::fromString(text, Qt::ISODate).isValid());
    };
    s.read = [=](const QVariant& stored, R& settings) {
        const QString text = storedText(stored);
        settings.payrollAnchor = valid(text) ? text : QString();
    };
    s.text = [](const R& settings) {
        return settings.payrollAnchor;
    };
    s.take = [=](const QString& typed, const R&, R& held) {
        const QString text = typed.trimmed();
        held.payrollAnchor = valid(text) ? text : QString();
        return QVariant(held.payrollAnchor);
    };
    s.check = [=](const SettingsChange& change, const R& current) -> std::optional<Refusal> {
        if (!valid(change.textOf(QStringLiteral("payroll.anchor"), current).trimmed()))
            return Refusal{QStringLiteral("The first day of a pay period is a date as YYYY-MM-DD, such as "
                                          "2026-12-06, or empty"),
                           payrollTitle};
        return std::nullopt;
    };
    return s;
}

Setting createTime()
{
    Setting s = own("payroll.quickbooks.create_time", Kind::Number);
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,18}$"));
    const auto parsed = [](const QString& text) -> std::optional<qint64> {
        if (!digits.match(text.trimmed()).hasMatch())
            return std::nullopt;
        return text.trimmed().toLongLong();
    };
    s.read = [=](const QVariant& stored, R& settings) {
        settings.quickbooksCreateTime = parsed(storedText(stored)).value_or(0);
    };
    s.text = [](const R& settings) {
        return QString::number(settings.quickbooksCreateTime);
    };
    s.take = [=](const QString& typed, const R&, R& held) {
        held.quickbooksCreateTime = parsed(typed).value_or(0);
        return QVariant(QString::number(held.quickbooksCreateTime));
    };
    s.check = [=](const SettingsChange& change, const R& current) -> std::optional<Refusal> {
        if (!parsed(change.textOf(QStringLiteral("payroll.quickbooks.create_time"), current)))
            return Refusal{
                QStringLiteral("The company's create time is a whole number, 0 when it is not known"),
                payrollTitle};
        return std::nullopt;
    };
    return s;
}
} // namespace

std::optional<qint32> PaySettings::typedMinutes(const QString& typed)
{
    static const QRegularExpression form(QStringLiteral("^([0-9]{1,3})(?::([0-5][0-9]))?$"));
    const QRegularExpressionMatch match = form.match(typed.trimmed());
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toInt() * 60 + match.captured(2).toInt();
}

QString PaySettings::minutesText(qint32 minutes)
{
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

QList<Setting> PaySettings::rows()
{
    const QStringList days = {QStringLiteral("Monday"),    QStringLiteral("Tuesday"),
                              QStringLiteral("Wednesday"), QStringLiteral("Thursday"),
                              QStringLiteral("Friday"),    QStringLiteral("Saturday"),
                              QStringLiteral("Sunday")};
    const QStringList codes = roundingCodes();
    return {
        choice(
            "pay.workweek_start", days, 6, [](R& s, int i) { s.payWorkweekStart = i + 1; },
            [](const R& s) { return s.payWorkweekStart - 1; }, payTitle),
        time("pay.workday_start", &R::payWorkdayStart, 0, {0, 1439},
             "The workday starts at a time from 0:00 to 23:59"),
        time("pay.weekly_overtime", &R::payWeeklyOvertime, 2400, {60, 168 * 60, true},
             "Weekly overtime starts after 1:00 to 168:00 hours, or 0:00 for none"),
        onOff("pay.daily_overtime", &R::payDailyOvertime),
        dailyOvertimeAfter(),
        onOff("pay.daily_double", &R::payDailyDouble),
        dailyDoubleAfter(),
        onOff("pay.seventh_day", &R::paySeventhDay),
        rates(),
        doubleRate(),
        onOff("pay.split_at_workday_start", &R::paySplitAtWorkdayStart),
        choice(
            "pay.rounding", codes, int(codes.indexOf(QStringLiteral("33"))),
            [](R& s, int i) { s.payRounding = (i / 5 + 1) * 10 + i % 5 + 1; },
            [](const R& s) { return (s.payRounding / 10 - 1) * 5 + s.payRounding % 10 - 1; }, payTitle),

        choice(
            "payroll.period",
            {QStringLiteral("weekly"), QStringLiteral("biweekly"), QStringLiteral("semimonthly"),
             QStringLiteral("monthly")},
            0,
            [](R& s, int i) {
                s.payrollPeriod = QStringList{"weekly", "biweekly", "semimonthly", "monthly"}[i];
            },
            [](const R& s) {
                return int(
                    QStringList{"weekly", "biweekly", "semimonthly", "monthly"}.indexOf(s.payrollPeriod));
            },
            payrollTitle),
        anchor(),
        words("payroll.adp.company", &R::adpCompany, ""),
        words("payroll.adp.batch", &R::adpBatch, ""),
        words("payroll.adp.double_code", &R::adpDoubleCode, "D"),
        words("payroll.quickbooks.company", &R::quickbooksCompany, ""),
        createTime(),
        words("payroll.quickbooks.item", &R::quickbooksItem, "Hourly"),
    };
}
