#pragma once

#include "pay/PayResult.h"
#include "payroll/ExportProfile.h"
#include "payroll/PayPeriods.h"

#include <QByteArray>
#include <QHash>
#include <QString>

class ProgramPaths;

// What the payroll service knows an employee by, beside the clock's ID and name.
struct ExportEmployee {
    QString payrollNumber; // empty: the employee ID
    QString firstName;     // with lastName, used as they stand when either is set
    QString lastName;
    QString name; // empty: the name on the employee's records
};

// The payroll settings the profiles use.
struct ExportSettings {
    QString adpCompany;
    QString adpBatch;
    QString adpDoubleCode = QStringLiteral("D");
    QString quickbooksCompany;
    qint64 quickbooksCreateTime = 0;
    QString quickbooksItem = QStringLiteral("Hourly");

    // The value of a setting source such as "adp.company"; empty for any other name.
    QString value(const QString& source) const;
};

// What one export is written from: the period, its computed pay and what the service needs besides.
struct ExportInput {
    PayPeriod period;
    const PayResult* pay = nullptr;
    QHash<QString, ExportEmployee> employees; // by ID in the form IDs compare in
    ExportSettings settings;
};

// Writes the pay of a period in a payroll service's format, as a profile describes it.
namespace PayrollExport {
// The file's exact bytes; empty with the reason in `problem` when a text cannot be written in the
// profile's encoding. An employee gets a row (or a row per workday) when a column of hours or money
// has something to show; with no such column, every employee who worked does.
QByteArray bytes(const ExportProfile& profile, const ExportInput& input, QString* problem);
// The profile's file name for the period; characters a file name cannot hold become "_".
QString fileName(const ExportProfile& profile, const PayPeriod& period, const ExportSettings& settings);
// The file written through a temporary name, never over one of the program's own files.
bool write(const ProgramPaths& paths, const QString& output, const QByteArray& bytes, QString* error);

// A name as payroll services match employees by it.
struct PersonName {
    QString first;
    QString last;
};
// A stored name is last name first, as the employee editor asks for it and the scheduling link
// writes it: split at the last blank, "Van Der Berg Anna" is Anna Van Der Berg. A single word is
// the last name.
PersonName splitName(const QString& stored);
} // namespace PayrollExport
