#include "settings/KioskSettings.h"

#include "settings/ProgramSettingRows.h"

#include <QRegularExpression>

namespace {
using R = SettingsRecord;

const QString kioskTitle = QStringLiteral("Kiosk");

using ProgramSettingRows::onOff;
using SettingsTable::storedText;

// Whole seconds from 0 (off) to the longest guard, an empty box being 0; anything else is nothing.
std::optional<qint32> typedSeconds(const QString& typed)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]{1,5}$"));
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return 0;
    if (!digits.match(text).hasMatch())
        return std::nullopt;
    const qint32 seconds = text.toInt();
    if (seconds > KioskSettings::longestGuard)
        return std::nullopt;
    return seconds;
}

Setting guardSeconds()
{
    Setting s = SettingsTable::ownSetting("clock.guard_seconds", Setting::Kind::Number);
    s.read = [](const QVariant& stored, R& settings) {
        settings.guardSeconds = typedSeconds(storedText(stored)).value_or(0);
    };
    s.text = [](const R& settings) {
        return QString::number(settings.guardSeconds);
    };
    s.take = [](const QString& typed, const R&, R& held) {
        held.guardSeconds = typedSeconds(typed).value_or(0);
        return QVariant(QString::number(held.guardSeconds));
    };
    s.check = [](const SettingsChange& change, const R& current) -> std::optional<Refusal> {
        if (!typedSeconds(change.textOf(QStringLiteral("clock.guard_seconds"), current)))
            return Refusal{QStringLiteral("A second punch is refused within 0 to %1 seconds (0: never)")
                               .arg(KioskSettings::longestGuard),
                           kioskTitle};
        return std::nullopt;
    };
    return s;
}
} // namespace

QList<Setting> KioskSettings::rows()
{
    return {
        guardSeconds(),
        onOff("clock.reader_hex", &R::readerHex),
        onOff("clock.week_hours", &R::showWeekHours),
        onOff("clock.ask_pin", &R::askPin),
    };
}
