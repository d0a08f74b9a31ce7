#include "shell/ScheduledStaff.h"

#include "platform/MessageBoxes.h"
#include "platform/TimeSource.h"
#include "settings/ProgramState.h"
#include "store/DatabaseError.h"
#include "store/SchedulingLink.h"

bool ScheduledStaff::load(ProgramState& state, QWidget* parent)
{
    for (;;) {
        try {
            SchedulingLink::Snapshot snapshot =
                SchedulingLink::readFile(SchedulingLink::fileIn(state.paths), state.time.today());
            SchedulingLink::store(state.database, snapshot);
            state.departments = std::move(snapshot.departments);
            state.blankEmployeeId = snapshot.blankEmployeeId;
            return true;
        } catch (const SchedulingError& error) {
            switch (SchedulingLink::reportFailure(error, state.messages, parent)) {
            case SchedulingLink::Reaction::TryAgain:
                continue;
            case SchedulingLink::Reaction::EndProgram:
                return false;
            case SchedulingLink::Reaction::GoOn:
                return true;
            }
        } catch (const DatabaseError& error) {
            state.messages.inform(parent, error.userMessage(), QStringLiteral("Database"),
                                  MessageBoxes::Icon::Critical);
            return true;
        }
    }
}
