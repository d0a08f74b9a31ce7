#pragma once

#include "platform/ProgramPaths.h"
#include "settings/SettingsRecord.h"
#include "store/DatabaseLocation.h"
#include "store/EmployeeSource.h"
#include "store/StaffFiles.h"

#include <QObject>
#include <functional>

// What changes while the program runs: where its files and database are, the settings, the
// employee source and the staff lists. Every change is announced, so open windows can show it.
class Session : public QObject {
    Q_OBJECT

public:
    explicit Session(ProgramPaths paths, QObject* parent = nullptr);

    const ProgramPaths& paths() const { return m_paths; }
    void setDataFolder(const QString& folder);
    // The embedded file in the data folder, or the server that several stations share.
    const DatabaseLocation& location() const { return m_location; }
    void setLocation(const DatabaseLocation& location);
    // How typed dates are read and shown: "MM-DD-YYYY", "DD-MM-YYYY" or "YYYY-MM-DD".
    const QString& dateOrder() const { return m_dateOrder; }
    void setDateOrder(const QString& order);

    const SettingsRecord& settings() const { return m_settings; }
    void setSettings(const SettingsRecord& settings);
    // Changes some fields of the settings and announces it once.
    void updateSettings(const std::function<void(SettingsRecord&)>& change);

    EmployeeSource employeeSource() const { return m_source; }
    void setEmployeeSource(EmployeeSource source);
    // Either source: employees are looked up, not typed freely.
    bool hasEmployeeDatabase() const { return m_source != EmployeeSource::None; }
    bool usesLocalStaff() const { return m_source == EmployeeSource::LocalFiles; }

    // The staff entered in this program, as last read from its files.
    const EmployeeList& employees() const { return m_employees; }
    const DepartmentList& departments() const { return m_departments; }
    void setEmployees(EmployeeList employees);
    void setDepartments(DepartmentList departments);
    void setStaff(EmployeeList employees, DepartmentList departments);
    // Today's departments from the scheduling database, and whether an active employee there has
    // no ID (the clock screen is refused then).
    void setScheduledStaff(DepartmentList departments, bool blankEmployeeId);
    bool blankEmployeeId() const { return m_blankEmployeeId; }
    // Reads both staff files of the program folder again.
    void reloadStaffFiles();

Q_SIGNALS:
    // The folders, the database location, the date order, the settings or the employee source.
    void settingsChanged();
    void staffChanged();

private:
    ProgramPaths m_paths;
    DatabaseLocation m_location;
    QString m_dateOrder = QStringLiteral("MM-DD-YYYY");
    SettingsRecord m_settings;
    EmployeeSource m_source = EmployeeSource::None;
    EmployeeList m_employees;
    DepartmentList m_departments;
    bool m_blankEmployeeId = false;
};
