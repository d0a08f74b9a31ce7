// Any bytes must read without a crash, and what is read must settle: written, read and written
// again it gives the same bytes.
#include "store/StaffFiles.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const DepartmentList list = StaffFiles::readDepartments(input);
    if (list.highestNumber > highestStaffNumber)
        std::abort();
    const QByteArray written = StaffFiles::departmentBytes(list.entries);
    if (StaffFiles::departmentBytes(StaffFiles::readDepartments(written).entries) != written)
        std::abort();
    return 0;
}
