#pragma once

class QWidget;
struct Services;
class Session;

// Today's staff from the scheduling product's database, with the messages of a failed read.
namespace ScheduledStaff {
// Refills the "Employee" table and the department list from RTM.MDB in the data folder and sets
// the blank-ID flag. A failed read leaves the table as it was. Returns false when the failure ends
// the program.
bool load(const Services& services, Session& session, QWidget* parent = nullptr);
} // namespace ScheduledStaff
