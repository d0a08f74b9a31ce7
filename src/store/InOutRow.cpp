#include "store/InOutRow.h"

#include "store/Database.h"
#include "store/StoredTime.h"

#include <QSqlQuery>

namespace {
QVariant timeValue(const QDateTime& moment)
{
    return moment.isValid() ? QVariant(StoredTime::toText(moment)) : QVariant(QMetaType(QMetaType::QString));
}

QStringList quotedInserted()
{
    QStringList quoted;
    for (int c = 0; c < InOutRow::ColumnCount; ++c) {
        if (c != InOutRow::RecordNumber)
            quoted.append(Database::quoted(InOutRow::names().at(c)));
    }
    return quoted;
}
} // namespace

const QStringList& InOutRow::names()
{
    static const QStringList list = {
        QStringLiteral("Time"),    QStringLiteral("Employee ID"), QStringLiteral("Clock out"),
        QStringLiteral("Julian"),  QStringLiteral("Employee"),    QStringLiteral("Record number"),
        QStringLiteral("Tips"),    QStringLiteral("Dnumber"),     QStringLiteral("InEarly"),
        QStringLiteral("InLate"),  QStringLiteral("OutEarly"),    QStringLiteral("OutLate"),
        QStringLiteral("Options"), QStringLiteral("Created")};
    Q_ASSERT(list.size() == ColumnCount);
    return list;
}

QString InOutRow::selectList(const QString& numberColumn)
{
    QStringList quoted;
    for (int c = 0; c < ColumnCount; ++c)
        quoted.append(Database::quoted(c == RecordNumber ? numberColumn : names().at(c)));
    return quoted.join(QStringLiteral(", "));
}

ClockRecord InOutRow::read(const QSqlQuery& q)
{
    ClockRecord r;
    r.time = StoredTime::fromText(q.value(Time).toString());
    r.employeeId = q.value(EmployeeId).toString();
    r.clockOut = q.value(ClockOut).toInt() != 0;
    r.julian = q.value(Julian).toInt();
    r.employee = q.value(Employee).toString();
    r.recordNumber = q.value(RecordNumber).toLongLong();
    if (!q.value(Tips).isNull())
        r.tips = Money::fromUnits(q.value(Tips).toLongLong());
    r.dnumber = q.value(Dnumber).toInt();
    r.inEarly = q.value(InEarly).toInt() != 0;
    r.inLate = q.value(InLate).toInt() != 0;
    r.outEarly = q.value(OutEarly).toInt() != 0;
    r.outLate = q.value(OutLate).toInt() != 0;
    r.options = static_cast<qint16>(q.value(Options).toInt());
    r.created = StoredTime::fromText(q.value(Created).toString());
    return r;
}

QString InOutRow::insertList()
{
    return quotedInserted().join(QStringLiteral(", "));
}

QString InOutRow::insertPlaceholders()
{
    QStringList marks;
    for (int i = 1; i < ColumnCount; ++i)
        marks.append(QStringLiteral("?"));
    return marks.join(QStringLiteral(", "));
}

QVariantList InOutRow::insertValues(const ClockRecord& r)
{
    QVariantList values(ColumnCount - 1);
    values[insertPosition(Time) - 1] = timeValue(r.time);
    values[insertPosition(EmployeeId) - 1] = r.employeeId;
    values[insertPosition(ClockOut) - 1] = r.clockOut ? 1 : 0;
    values[insertPosition(Julian) - 1] = r.julian;
    values[insertPosition(Employee) - 1] = r.employee;
    values[insertPosition(Tips) - 1] =
        r.tips ? QVariant(r.tips->units()) : QVariant(QMetaType(QMetaType::LongLong));
    values[insertPosition(Dnumber) - 1] = r.dnumber;
    values[insertPosition(InEarly) - 1] = r.inEarly ? 1 : 0;
    values[insertPosition(InLate) - 1] = r.inLate ? 1 : 0;
    values[insertPosition(OutEarly) - 1] = r.outEarly ? 1 : 0;
    values[insertPosition(OutLate) - 1] = r.outLate ? 1 : 0;
    values[insertPosition(Options) - 1] = r.options;
    values[insertPosition(Created) - 1] = timeValue(r.created);
    return values;
}

int InOutRow::insertPosition(Column column)
{
    Q_ASSERT(column != RecordNumber && column < ColumnCount);
    return column < RecordNumber ? column + 1 : column;
}
