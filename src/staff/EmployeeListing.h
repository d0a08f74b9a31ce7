#pragma once

#include <QList>
#include <QString>
#include <functional>

struct Services;
class Session;

// What the employee list window shows and does, apart from the widgets: its lines, its search
// and the deletion of an employee from the staff files.
namespace EmployeeListing {
// What the list is opened for: an employee whose clock records are edited, or one to change or delete.
enum class Purpose { PickForRecords, Change, Delete };

struct Entry {
    QString name;
    QString employeeId;
    int index = 0; // position in the session's employee list
};

// With the staff files as source, their employees in list order; otherwise the rows of today's
// "Employee" table in name order. Database errors are thrown.
QList<Entry> entries(const Services& services, const Session& session);

// Printed width of a text in twips, in the list's own font.
using TwipsWidth = std::function<double(const QString&)>;
// The name padded with blanks to 1500 twips, a TAB, and the ID cut from the right until it is
// narrower than 1750 twips.
QString lineText(const QString& name, const QString& employeeId, const TwipsWidth& width);
// The first line beginning with the typed text in any letter case; -1 when none does.
int firstMatch(const QStringList& lines, const QString& typed);

QString caption(Purpose purpose);
QString deleteQuestion(const QString& name, const QString& employeeId);
// Marks the entry deleted, rewrites Empl.DAT without it and reloads the list from the file.
// False, with the list unchanged, when the file cannot be written.
bool deleteEmployee(Session& session, int index);
} // namespace EmployeeListing
