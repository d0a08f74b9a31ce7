#include "settings/ExceptionSettings.h"

#include "settings/PaySettings.h"

#include <QRegularExpression>

namespace {
using R = SettingsRecord;

const QString title = QStringLiteral("Exceptions");

const auto own = SettingsTable::ownSetting;
using SettingsTable::storedText;

// A setting held as a whole number, typed and stored as `shown` writes it; a value outside
// `low`..`high` (or not of the form) loads the default and is refused when typed.
Setting bounded(const char* name, Setting::Kind kind, qint32 R::*member, qint32 fallback, qint32 low,
                qint32 high, std::function<std::optional<qint32>(const QString&)> parsed,
                std::function<QString(qint32)> shown, const QString& refusal)
{
    Setting s = own(name, kind);
    const auto valid = [=](const QString& text) -> std::optional<qint32> {
        const std::optional<qint32> value = parsed(text);
        return value && *value >= low && *value <= high ? value : std::nullopt;
    };
    s.read = [=](const QVariant& stored, R& settings) {
        settings.*member = valid(storedText(stored)).value_or(fallback);
    };
    s.text = [=](const R& settings) {
        return shown(settings.*member);
    };
    s.take = [=](const QString& typed, const R&, R& held) {
        held.*member = valid(typed).value_or(fallback);
        return QVariant(shown(held.*member));
    };
    const QString key = s.key;
    s.check = [=](const SettingsChange& change, const R& current) -> std::optional<Refusal> {
        if (!valid(change.textOf(key, current)))
            return Refusal{refusal, title};
        return std::nullopt;
    };
    return s;
}

std::optional<qint32> typedSeconds(const QString& typed)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
    if (!digits.match(typed.trimmed()).hasMatch())
        return std::nullopt;
    return typed.trimmed().toInt();
}

Setting forcedOutTime()
{
    Setting s = own("clock.forced_out_time", Setting::Kind::Choice);
    const QStringList& words = ExceptionSettings::forcedOutTimes();
    s.choices = words;
    const auto indexOf = [=](const QString& typed) {
        for (qsizetype i = 0; i < words.size(); ++i) {
            if (words[i].compare(typed.trimmed(), Qt::CaseInsensitive) == 0)
                return int(i);
        }
        return -1;
    };
    s.read = [=](const QVariant& stored, R& settings) {
        settings.forcedOutTime = std::max(0, indexOf(storedText(stored)));
    };
    s.text = [=](const R& settings) {
        return words.value(settings.forcedOutTime);
    };
    s.take = [=](const QString& typed, const R&, R& held) {
        held.forcedOutTime = std::max(0, indexOf(typed));
        return QVariant(words.value(held.forcedOutTime));
    };
    s.check = [=](const SettingsChange& change, const R& current) -> std::optional<Refusal> {
        if (indexOf(change.textOf(QStringLiteral("clock.forced_out_time"), current)) < 0)
            return Refusal{
                QStringLiteral("clock.forced_out_time is one of: %1").arg(words.join(QStringLiteral(", "))),
                QStringLiteral("Options")};
        return std::nullopt;
    };
    return s;
}
} // namespace

const QStringList& ExceptionSettings::forcedOutTimes()
{
    static const QStringList words = {QStringLiteral("IN + 1 minute"), QStringLiteral("scheduled stop"),
                                      QStringLiteral("force-after limit")};
    return words;
}

QList<Setting> ExceptionSettings::rows()
{
    return {
        bounded("exceptions.long_shift", Setting::Kind::Time, &R::exceptionLongShift, 12 * 60, 30, 72 * 60,
                PaySettings::typedMinutes, PaySettings::minutesText,
                QStringLiteral("A long shift is longer than 0:30 to 72:00 hours")),
        bounded(
            "exceptions.quick_repeat_seconds", Setting::Kind::Number, &R::exceptionQuickRepeat, 120, 0, 3600,
            typedSeconds, [](qint32 seconds) { return QString::number(seconds); },
            QStringLiteral("A quick repeat comes within 0 to 3600 seconds of the punch before it")),
        forcedOutTime(),
    };
}
