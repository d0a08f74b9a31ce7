#include "records/HistoryTexts.h"

#include "store/StoredTime.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {
const QString arrow = QStringLiteral(" \u2192 ");

QJsonObject objectOf(const QString& json)
{
    return QJsonDocument::fromJson(json.toUtf8()).object();
}

QString shownValue(const QJsonValue& value)
{
    if (value.isNull() || value.isUndefined())
        return QStringLiteral("(none)");
    if (value.isString())
        return QLatin1Char('"') + value.toString() + QLatin1Char('"');
    return QString::number(value.toInteger());
}

QString whenText(const QDateTime& when)
{
    return when.isValid() ? StoredTime::toText(when) : QStringLiteral("?");
}
} // namespace

QStringList HistoryTexts::changes(const QString& oldValues, const QString& newValues)
{
    const QJsonObject before = objectOf(oldValues);
    const QJsonObject after = objectOf(newValues);
    QStringList lines;
    for (auto it = after.begin(); it != after.end(); ++it) {
        if (before.value(it.key()) != it.value())
            lines.append(it.key() + QStringLiteral(": ") + shownValue(before.value(it.key())) + arrow +
                         shownValue(it.value()));
    }
    return lines;
}

QStringList HistoryTexts::recordStory(const QList<HistoryEntry>& entries,
                                      const std::optional<ClockRecord>& current)
{
    QStringList lines;
    const HistoryEntry* first = entries.isEmpty() ? nullptr : &entries.first();
    if (first && first->action == EditHistory::inserted) {
        lines.append(QStringLiteral("Inserted by hand, not punched."));
    } else if (first && first->action == EditHistory::forced) {
        lines.append(QStringLiteral("Written by the forced clock-out, not punched."));
    } else {
        // The first change still holds the record as it was punched.
        const QString punched = first ? objectOf(first->oldValues).value(QStringLiteral("Time")).toString()
                                      : (current ? StoredTime::toText(current->time) : QString());
        lines.append(QStringLiteral("Punched: ") + (punched.isEmpty() ? QStringLiteral("?") : punched));
    }
    if (entries.isEmpty())
        lines.append(QStringLiteral("Not changed since."));
    for (const HistoryEntry& e : entries) {
        lines.append(QStringLiteral("%1  %2 by %3 (entry %4)")
                         .arg(whenText(e.when), e.action, e.user)
                         .arg(e.entryNumber));
        if (e.action == EditHistory::edited) {
            for (const QString& change : changes(e.oldValues, e.newValues))
                lines.append(QStringLiteral("    ") + change);
        } else if (e.action == EditHistory::deleted) {
            lines.append(QStringLiteral("    Time was: ") +
                         objectOf(e.oldValues).value(QStringLiteral("Time")).toString());
        }
    }
    return lines;
}

QString HistoryTexts::tabLine(const HistoryEntry& e)
{
    return QStringList{QString::number(e.entryNumber),
                       whenText(e.when),
                       e.action,
                       e.recordNumber ? QString::number(*e.recordNumber) : QString(),
                       e.user,
                       e.oldValues,
                       e.newValues,
                       e.details}
        .join(QLatin1Char('\t'));
}
