#include "settings/Session.h"

Session::Session(ProgramPaths paths, QObject* parent)
    : QObject(parent)
    , m_paths(std::move(paths))
{}

void Session::setDataFolder(const QString& folder)
{
    m_paths.setDataFolder(folder);
    Q_EMIT settingsChanged();
}

void Session::setLocation(const DatabaseLocation& location)
{
    m_location = location;
    Q_EMIT settingsChanged();
}

void Session::setDateOrder(const QString& order)
{
    m_dateOrder = order;
    Q_EMIT settingsChanged();
}

void Session::setSettings(const SettingsRecord& settings)
{
    m_settings = settings;
    Q_EMIT settingsChanged();
}

void Session::updateSettings(const std::function<void(SettingsRecord&)>& change)
{
    change(m_settings);
    Q_EMIT settingsChanged();
}

void Session::setEmployeeSource(EmployeeSource source)
{
    m_source = source;
    Q_EMIT settingsChanged();
}

void Session::setEmployees(EmployeeList employees)
{
    m_employees = std::move(employees);
    Q_EMIT staffChanged();
}

void Session::setDepartments(DepartmentList departments)
{
    m_departments = std::move(departments);
    Q_EMIT staffChanged();
}

void Session::setStaff(EmployeeList employees, DepartmentList departments)
{
    m_employees = std::move(employees);
    m_departments = std::move(departments);
    Q_EMIT staffChanged();
}

void Session::setScheduledStaff(DepartmentList departments, bool blankEmployeeId)
{
    m_departments = std::move(departments);
    m_blankEmployeeId = blankEmployeeId;
    Q_EMIT staffChanged();
}

void Session::reloadStaffFiles()
{
    setStaff(StaffFiles::loadEmployees(StaffFiles::employeeFile(m_paths)),
             StaffFiles::loadDepartments(StaffFiles::departmentFile(m_paths)));
}
