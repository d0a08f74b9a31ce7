#pragma once

#include "settings/OptionsSave.h"

#include <QString>

class QWidget;
struct Services;
class Session;

// The first start of a new clock database: whether the welcome window is due, and an employee
// source chosen there taking effect at once, without the restart the options dialog asks for.
namespace Welcome {
// Not closed before on this station, and the clock database holds no record yet.
bool due(const Services& services, Session& session);
void dismiss(const Session& session);
// Writes the path file for the source as the options dialog does, takes it into the program
// state (moving to the scheduling database's folder when the file is the clock database) and
// loads today's staff. rtmFile is the chosen RTM.MDB for the scheduling database. False, with
// the reason shown, when it could not be done; the previous source then stays.
bool useSource(const Services& services, Session& session, EmployeeSource source, const QString& rtmFile,
               QWidget* parent = nullptr);
} // namespace Welcome
