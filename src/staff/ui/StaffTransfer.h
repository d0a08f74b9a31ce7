#pragma once

#include <QString>

class QWidget;
struct ProgramState;

// "Import employees…" and "Export employees…": the staff to and from a CSV file, with the outcome
// told in a message box.
namespace StaffTransfer {
// Asks for the file, then imports or exports it.
void importEmployees(QWidget* parent, ProgramState& state);
void exportEmployees(QWidget* parent, ProgramState& state);

// Shows what the import will do and writes only when the manager presses Import. True when the file
// was imported (or already matched the staff); every refusal has been shown.
bool importFile(QWidget* parent, ProgramState& state, const QString& path);
bool exportFile(QWidget* parent, ProgramState& state, const QString& path);
} // namespace StaffTransfer
