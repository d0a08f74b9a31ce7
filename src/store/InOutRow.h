#pragma once

#include "store/ClockRecord.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

class QSqlQuery;

// The columns of table "In Out" in one order, and the one reading of a selected row into a record:
// every statement that selects or inserts whole rows takes its column list from here.
namespace InOutRow {
enum Column : int {
    Time,
    EmployeeId,
    ClockOut,
    Julian,
    Employee,
    RecordNumber,
    Tips,
    Dnumber,
    InEarly,
    InLate,
    OutEarly,
    OutLate,
    Options,
    Created,
    ColumnCount
};

// The stored names, in the order of Column.
const QStringList& names();
// Every column, quoted, in the order of Column: what a SELECT lists before read() takes the row.
// A queue table keeps its own number where the record number stands, under another name.
QString selectList(const QString& numberColumn = names().at(RecordNumber));
ClockRecord read(const QSqlQuery& query);

// The columns an append writes (all but the record number, which the database gives), quoted, and
// a record's values in that order; times a record lacks are stored as Null.
QString insertList();
QString insertPlaceholders();
QVariantList insertValues(const ClockRecord& record);
// Where a column stands among the inserted ones, counted from 1 as SQLite binds.
int insertPosition(Column column);
} // namespace InOutRow
