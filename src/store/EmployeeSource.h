#pragma once

// Where the employees come from: none (IDs are typed freely), the staff files this program keeps,
// or the scheduling product's database. The values are the options dialog's choice indexes.
enum class EmployeeSource { None = 0, LocalFiles = 1, SchedulingDatabase = 2 };
