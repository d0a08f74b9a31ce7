// Any spreadsheet must be read without a crash, and an import that is accepted must round trip:
// exported and imported again over its own result it changes nothing.
#include "staff/StaffCsv.h"

#include <algorithm>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const StaffCsv::Plan plan = StaffCsv::plan(input, {}, {});
    if (plan.errors.size() > StaffCsv::Plan::keptErrors || plan.errorCount < plan.errors.size())
        std::abort();
    if (!plan.errors.isEmpty())
        return 0;
    EmployeeList employees{plan.employees, 0};
    for (const Employee& e : plan.employees)
        employees.highestNumber = std::max(employees.highestNumber, e.employeeNumber);
    DepartmentList departments{plan.departments, 0};
    for (const Department& d : plan.departments)
        departments.highestNumber = std::max(departments.highestNumber, d.number);
    const StaffCsv::Plan again =
        StaffCsv::plan(StaffCsv::exportBytes(employees, departments), employees, departments);
    if (!again.errors.isEmpty() || again.added != 0 || again.updated != 0 || again.departmentsAdded != 0)
        std::abort();
    return 0;
}
