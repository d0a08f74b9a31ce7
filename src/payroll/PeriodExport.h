#pragma once

#include "payroll/ExportProfile.h"
#include "payroll/PayPeriods.h"
#include "payroll/PayrollExport.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>

class Database;
struct Services;
struct SettingsRecord;
class Session;
struct StoredPeriod;

// One pay period's hours in a payroll service's file: the pay computed with the station's rules,
// rounding and staff, each employee's payroll number and names, and the payroll settings.
namespace PeriodExport {
struct Outcome {
    QByteArray bytes;     // the file's exact bytes; empty when it cannot be made
    QString fileName;     // the profile's name for it
    QString problem;      // why there are no bytes
    bool nothing = false; // no employee has hours in the period
};

// What the payroll settings give the profiles.
ExportSettings settingsOf(const SettingsRecord& settings);
// Each employee as the payroll service knows them: the staff list's current name, and the payroll
// number and names kept for them. Throws DatabaseError.
QHash<QString, ExportEmployee> employeesOf(Database& database, const Session& session);

// Reads the period's records and what the export needs. Throws DatabaseError.
Outcome make(const Services& services, const Session& session, const PayPeriod& period,
             const ExportProfile& profile);

// The line to show beside an export of a period that is not locked, whose hours may still change;
// empty for a locked one.
QString warning(const PayPeriod& period, const std::optional<StoredPeriod>& stored);
} // namespace PeriodExport
