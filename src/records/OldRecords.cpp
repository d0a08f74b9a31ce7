#include "records/OldRecords.h"

#include "platform/TimeSource.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/RecordEdits.h"

qint64 OldRecords::removeBefore(const Services& services, qint32 dayNumber)
{
    return RecordEdits(services.database)
        .removeBefore(dayNumber, {services.time.now(), EditHistory::workstationUser()});
}
