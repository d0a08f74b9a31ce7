#include "shell/ScheduledStaff.h"

#include "platform/MessageBoxes.h"
#include "platform/TimeSource.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"
#include "store/SchedulingLink.h"

bool ScheduledStaff::load(const Services& services, Session& session, QWidget* parent)
{
    for (;;) {
        try {
            SchedulingLink::Snapshot snapshot =
                SchedulingLink::readFile(SchedulingLink::fileIn(session.paths()), services.time.today());
            SchedulingLink::store(services.database, snapshot);
            session.setScheduledStaff(std::move(snapshot.departments), snapshot.blankEmployeeId);
            return true;
        } catch (const SchedulingError& error) {
            switch (SchedulingLink::reportFailure(error, services.messages, parent)) {
            case SchedulingLink::Reaction::TryAgain:
                continue;
            case SchedulingLink::Reaction::EndProgram:
                return false;
            case SchedulingLink::Reaction::GoOn:
                return true;
            }
        } catch (const DatabaseError& error) {
            services.messages.inform(parent, error.userMessage(), QStringLiteral("Database"),
                                     MessageBoxes::Icon::Critical);
            return true;
        }
    }
}
