#pragma once

#include <QString>

class QWidget;
struct Services;
class Session;

// "Import employees…" and "Export employees…": the staff to and from a CSV file, with the outcome
// told in a message box.
namespace StaffTransfer {
// Asks for the file, then imports or exports it.
void importEmployees(QWidget* parent, const Services& services, Session& session);
void exportEmployees(QWidget* parent, const Services& services, Session& session);

// Shows what the import will do and writes only when the manager presses Import. True when the file
// was imported (or already matched the staff); every refusal has been shown.
bool importFile(QWidget* parent, const Services& services, Session& session, const QString& path);
bool exportFile(QWidget* parent, const Services& services, Session& session, const QString& path);
} // namespace StaffTransfer
