#include "settings/LateSettings.h"

#include "settings/ProgramSettingRows.h"
#include "settings/SettingsIo.h"

#include <cmath>

namespace {
using R = SettingsRecord;

const QString title = QStringLiteral("Who is late");

std::optional<int> typedMinutes(const QString& typed)
{
    const std::optional<double> value = SettingsIo::typedNumber(typed.trimmed());
    if (!value || *value != std::floor(*value) || *value < LateSettings::lowest ||
        *value > LateSettings::highest)
        return std::nullopt;
    return int(*value);
}

Setting minutes()
{
    Setting s = SettingsTable::ownSetting("late.after_minutes", Setting::Kind::Number);
    s.read = [](const QVariant& stored, R& settings) {
        settings.lateAfterMinutes =
            typedMinutes(SettingsTable::storedText(stored)).value_or(LateSettings::fallback);
    };
    s.text = [](const R& settings) {
        return QString::number(settings.lateAfterMinutes);
    };
    s.take = [](const QString& typed, const R&, R& held) {
        held.lateAfterMinutes = typedMinutes(typed).value_or(LateSettings::fallback);
        return QVariant(QString::number(held.lateAfterMinutes));
    };
    s.check = [key = s.key](const SettingsChange& change, const R& current) -> std::optional<Refusal> {
        if (!typedMinutes(change.textOf(key, current)))
            return Refusal{QStringLiteral("Late after must be a whole number of minutes from %1 to %2")
                               .arg(LateSettings::lowest)
                               .arg(LateSettings::highest),
                           title};
        return std::nullopt;
    };
    return s;
}
} // namespace

QList<Setting> LateSettings::rows()
{
    return {minutes(), ProgramSettingRows::onOff("late.notify", &R::lateNotify)};
}
