#pragma once

#include <QStringList>
#include <QTextStream>

struct Services;
class Session;

// `tellarin settings list | get KEY | set KEY VALUE`: every setting of the program as
// key TAB value TAB default in the order of the settings table, one value, or one value changed
// through the same checks and save as the options dialog. Exit 0 done, 2 for an unknown key or a
// value the options would refuse (the refusal on one line), 3 when the database cannot keep it.
int runSettingsCommand(const Services& services, Session& session, const QStringList& args, QTextStream& out,
                       QTextStream& err);

namespace SettingsCommand {
// Whether these words change the settings, so the database must be opened for writing.
bool writes(const QStringList& words);
} // namespace SettingsCommand
