#include "records/OldRecords.h"

#include "platform/TimeSource.h"
#include "settings/ProgramState.h"
#include "store/RecordEdits.h"

qint64 OldRecords::removeBefore(ProgramState& state, qint32 dayNumber)
{
    return RecordEdits(state.database)
        .removeBefore(dayNumber, {state.time.now(), EditHistory::workstationUser()});
}
