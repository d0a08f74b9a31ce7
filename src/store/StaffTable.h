#pragma once

#include <QList>
#include <QString>
#include <optional>

class Database;

// One row of the "Employee" table: an employee who may clock today, with today's schedule.
struct StaffRow {
    QString employee;
    qint32 employeeNumber = 0;
    qint32 julian = 0;
    QString employeeId;
    qint16 departmentNumber = 0;
    qint16 start = 0; // quarter hours since midnight; 0 means none
    qint16 stop = 0;
};

// Today's staff as the clock sees them: the "Employee" table.
class StaffTable {
public:
    explicit StaffTable(Database& database);

    // Looks the ID up trimmed and without regard to case.
    std::optional<StaffRow> find(const QString& employeeId);
    // Empties the table and fills it with the given rows in one transaction; IDs are stored trimmed.
    void replaceAll(const QList<StaffRow>& rows);
    QList<StaffRow> all();

private:
    Database& m_database;
};
