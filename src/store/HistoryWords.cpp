#include "store/HistoryWords.h"

#include "store/BadgeTable.h"
#include "store/EmployeePayrollTable.h"
#include "store/PayRateTable.h"
#include "store/PeriodStates.h"
#include "store/PinTable.h"
#include "store/ResolvedExceptions.h"
#include "store/StoredTime.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QStringList>

namespace {
const QString arrow = QStringLiteral(" \u2192 ");

QJsonObject objectOf(const QString& json)
{
    return QJsonDocument::fromJson(json.toUtf8()).object();
}

QString timeText(const QDateTime& time, bool clock12Hour)
{
    return time.time().toString(clock12Hour ? QStringLiteral("hh:mm AP") : QStringLiteral("HH:mm"));
}

QString tipsText(const std::optional<Money>& tips)
{
    return tips ? tips->toFixed(2) : QStringLiteral("none");
}

QString departmentText(qint32 number)
{
    return number == 0 ? QStringLiteral("none") : QString::number(number);
}

// The fields of an edit that a manager would call a change, in the order of the editor's boxes.
QStringList editedFields(const ClockRecord& a, const ClockRecord& b, bool clock12Hour)
{
    QStringList parts;
    if (a.time != b.time) {
        const bool sameDay = a.time.date() == b.time.date();
        parts.append(
            QStringLiteral("Time ") +
            (sameDay ? timeText(a.time, clock12Hour) : HistoryWords::momentText(a.time, clock12Hour)) +
            arrow +
            (sameDay ? timeText(b.time, clock12Hour) : HistoryWords::momentText(b.time, clock12Hour)));
    }
    if (a.clockOut != b.clockOut)
        parts.append(a.clockOut ? QStringLiteral("Out") + arrow + QStringLiteral("In")
                                : QStringLiteral("In") + arrow + QStringLiteral("Out"));
    // No tips and tips of 0 mean the same to a manager.
    const auto noTips = [](const std::optional<Money>& t) {
        return !t || t->units() == 0;
    };
    if (a.tips != b.tips && !(noTips(a.tips) && noTips(b.tips)))
        parts.append(QStringLiteral("Tips ") + tipsText(a.tips) + arrow + tipsText(b.tips));
    if (a.dnumber != b.dnumber)
        parts.append(QStringLiteral("Department ") + departmentText(a.dnumber) + arrow +
                     departmentText(b.dnumber));
    if (a.employeeId != b.employeeId)
        parts.append(QStringLiteral("ID ") + a.employeeId + arrow + b.employeeId);
    if (a.employee != b.employee)
        parts.append(QStringLiteral("Name ") + a.employee + arrow + b.employee);
    if (a.options != b.options) {
        const QString mark = HistoryWords::markText(b.options);
        parts.append(mark.isEmpty() ? QStringLiteral("mark ") + HistoryWords::markText(a.options) +
                                          QStringLiteral(" removed")
                                    : mark);
    }
    return parts;
}

QString countedRemoval(const HistoryEntry& e, const char* what)
{
    const QJsonObject details = objectOf(e.details);
    return QStringLiteral("Removed %1 %2 before %3")
        .arg(details.value(QStringLiteral("count")).toInteger())
        .arg(QString::fromLatin1(what), details.value(QStringLiteral("before")).toString());
}

// "Pay rate of A1 from 2026-06-08: 18.5 → 19.25"; a rate added or removed shows "none" on its side.
QString rateChange(const HistoryEntry& e)
{
    const QJsonObject before = objectOf(e.oldValues);
    const QJsonObject after = objectOf(e.newValues);
    const QJsonObject& any = after.isEmpty() ? before : after;
    const auto rate = [](const QJsonObject& o) {
        return o.isEmpty() ? QStringLiteral("none") : o.value(QStringLiteral("Rate")).toString();
    };
    return QStringLiteral("Pay rate of %1 from %2: %3%4%5")
        .arg(any.value(QStringLiteral("Employee ID")).toString(),
             any.value(QStringLiteral("From")).toString(), rate(before), arrow, rate(after));
}

// "Badge of A1: none → 0004512345"; a card given or taken away shows "none" on its side.
QString badgeChange(const HistoryEntry& e)
{
    const QJsonObject before = objectOf(e.oldValues);
    const QJsonObject after = objectOf(e.newValues);
    const QJsonObject& any = after.isEmpty() ? before : after;
    const auto badge = [](const QJsonObject& o) {
        return o.isEmpty() ? QStringLiteral("none") : o.value(QStringLiteral("Badge")).toString();
    };
    return QStringLiteral("Badge of %1: %2%3%4")
        .arg(any.value(QStringLiteral("Employee ID")).toString(), badge(before), arrow, badge(after));
}

// "Payroll details of A1: payroll number none → 000123, first name none → Anna", changed fields only.
QString payrollChange(const HistoryEntry& e)
{
    const QJsonObject before = objectOf(e.oldValues);
    const QJsonObject after = objectOf(e.newValues);
    const QJsonObject& any = after.isEmpty() ? before : after;
    QStringList parts;
    for (const char* field : {"Payroll number", "First name", "Last name"}) {
        const auto text = [&](const QJsonObject& o) {
            const QString value = o.value(QLatin1String(field)).toString();
            return value.isEmpty() ? QStringLiteral("none") : value;
        };
        if (text(before) != text(after))
            parts.append(QString::fromLatin1(field).toLower() + QLatin1Char(' ') + text(before) + arrow +
                         text(after));
    }
    return QStringLiteral("Payroll details of %1: %2")
        .arg(any.value(QStringLiteral("Employee ID")).toString(), parts.join(QStringLiteral(", ")));
}
} // namespace

QString HistoryWords::markText(int options)
{
    static const char* const texts[] = {"",         "Edited",  "Inserted",  "Forced",
                                        "In early", "In late", "Out early", "Out late"};
    return options >= 0 && options <= 7 ? QString::fromLatin1(texts[options]) : QString();
}

QString HistoryWords::momentText(const QDateTime& time, bool clock12Hour)
{
    const QLocale locale;
    return locale.dayName(time.date().dayOfWeek(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(time.date(), QStringLiteral("dd-MMM-yy")) + QLatin1Char(' ') +
           timeText(time, clock12Hour);
}

QString HistoryWords::recordText(const ClockRecord& record, bool clock12Hour)
{
    QString text = momentText(record.time, clock12Hour) +
                   (record.clockOut ? QStringLiteral(" Out") : QStringLiteral(" In"));
    const QString mark = markText(record.options);
    if (!mark.isEmpty())
        text += QLatin1Char(' ') + mark;
    return text;
}

ClockRecord HistoryWords::recordOf(const QString& values)
{
    const QJsonObject o = objectOf(values);
    const auto number = [&](const char* name) {
        return o.value(QLatin1String(name)).toInteger();
    };
    ClockRecord r;
    r.time = StoredTime::fromText(o.value(QStringLiteral("Time")).toString());
    r.employeeId = o.value(QStringLiteral("Employee ID")).toString();
    r.clockOut = number("Clock out") != 0;
    r.julian = static_cast<qint32>(number("Julian"));
    r.employee = o.value(QStringLiteral("Employee")).toString();
    r.recordNumber = number("Record number");
    if (!o.value(QStringLiteral("Tips")).isNull() && !o.value(QStringLiteral("Tips")).isUndefined())
        r.tips = Money::fromUnits(number("Tips"));
    r.dnumber = static_cast<qint32>(number("Dnumber"));
    r.options = static_cast<qint16>(number("Options"));
    r.created = StoredTime::fromText(o.value(QStringLiteral("Created")).toString());
    return r;
}

namespace {
// "Period approved: 1 Dec 2026 - 15 Dec 2026 for E1".
QString periodChange(const HistoryEntry& e)
{
    const QJsonObject details = objectOf(e.details);
    const DayRange days{QDate::fromString(details.value(QStringLiteral("first")).toString(), Qt::ISODate),
                        QDate::fromString(details.value(QStringLiteral("last")).toString(), Qt::ISODate)};
    QString text = e.action + QStringLiteral(": ") + days.text();
    if (details.contains(QStringLiteral("employee")))
        text += QStringLiteral(" for ") + details.value(QStringLiteral("employee")).toString();
    return text;
}

QString changeAlone(const HistoryEntry& e, bool clock12Hour)
{
    if (e.action == EditHistory::edited) {
        const QStringList parts = editedFields(HistoryWords::recordOf(e.oldValues),
                                               HistoryWords::recordOf(e.newValues), clock12Hour);
        return parts.isEmpty() ? QStringLiteral("Saved without a change") : parts.join(QStringLiteral(", "));
    }
    if (e.action == EditHistory::inserted || e.action == EditHistory::forced)
        return e.action + QStringLiteral(": ") +
               HistoryWords::recordText(HistoryWords::recordOf(e.newValues), clock12Hour);
    if (e.action == EditHistory::deleted)
        return e.action + QStringLiteral(": ") +
               HistoryWords::recordText(HistoryWords::recordOf(e.oldValues), clock12Hour);
    if (e.action == EditHistory::removedOldRecords)
        return countedRemoval(e, "records");
    if (e.action == EditHistory::purgedHistory)
        return countedRemoval(e, "history entries");
    if (e.action == PeriodStates::approved || e.action == PeriodStates::locked ||
        e.action == PeriodStates::reopened)
        return periodChange(e);
    if (e.action == PayRateTable::changedAction)
        return rateChange(e);
    if (e.action == ResolvedExceptions::resolvedAction) {
        const QJsonObject details = objectOf(e.details);
        const QString note = details.value(QStringLiteral("note")).toString();
        return QStringLiteral("Exception resolved: ") + details.value(QStringLiteral("kind")).toString() +
               (note.isEmpty() ? QString() : QStringLiteral(", ") + note);
    }
    if (e.action == BadgeTable::changedAction)
        return badgeChange(e);
    if (e.action == PinTable::clearedAction || e.action == PinTable::unlockedAction)
        return QStringLiteral("PIN of %1 %2")
            .arg(objectOf(e.oldValues).value(QStringLiteral("Employee ID")).toString(),
                 e.action == PinTable::clearedAction ? QStringLiteral("cleared")
                                                     : QStringLiteral("unlocked"));
    if (e.action == EmployeePayrollTable::changedAction)
        return payrollChange(e);
    return e.action;
}
} // namespace

QString HistoryWords::change(const HistoryEntry& e, bool clock12Hour)
{
    const QString text = changeAlone(e, clock12Hour);
    const QString reason = objectOf(e.details).value(QStringLiteral("reason")).toString();
    return reason.isEmpty() ? text : text + QStringLiteral(" (") + reason + QLatin1Char(')');
}
