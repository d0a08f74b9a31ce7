#pragma once

#include "store/Money.h"
#include "store/StaffFiles.h"

#include <QString>
#include <optional>

// The rules of the employee editor that need no window: cleaning the typed texts, reading the pay,
// the checks before a save, and the order the employee file is written in.
namespace EmployeeEditing {
// The index of the employee being edited when a new one is being added.
constexpr int adding = -1;

enum class Field { Name, Id };

struct Problem {
    Field field;
    QString text;
    QString title;
};

// A comma would end the field in the staff file, so it becomes a blank; the text is trimmed.
QString cleaned(const QString& text);
// The number at the start of the text, blanks inside it ignored, read up to the first character
// that cannot continue it; 0 when there is none. Kept exact to four decimals.
Money payOf(const QString& text);
inline const QString unstorableTitle = QStringLiteral("Character not allowed");
// "The ID contains "Ł" (U+0141), which the staff files cannot hold. ..."
QString unstorableText(const QString& what, const QString& character);
// The first reason not to save, checking the cleaned name and ID in the order the user is told:
// empty name, a character of the name the staff files cannot hold, empty ID, such a character in
// the ID, an ID another employee has in any letter case.
std::optional<Problem> check(const EmployeeList& list, const QString& name, const QString& id,
                             int editedIndex);
// The list index of the employee with this ID (trimmed, any letter case), skipping one index;
// -1 when there is none.
int indexOfId(const QList<Employee>& employees, const QString& id, int skipIndex = adding);
// Ascending by upper-cased name; employees of the same name keep their order.
QList<Employee> sortedByName(QList<Employee> employees);
// The text of the pay box for an employee: plain decimals, no trailing zeros.
QString payText(Money pay);
} // namespace EmployeeEditing
