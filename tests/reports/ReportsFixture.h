#pragma once

#include "BackendTest.h"
#include "PunchRecord.h"
#include "platform/SoundPlayer.h"
#include "settings/ProgramState.h"
#include "store/ClockRecords.h"
#include "support/FakeMessageBoxes.h"
#include "support/FakeTimeSource.h"

// A clock database with the program-wide values around it; today is Friday 4 December 2026.
struct ReportsFixture {
    static inline const QDate today{2026, 12, 4};

    explicit ReportsFixture(Backend backend = Backend::File)
        : folder(backend)
    {}
    TestFolder folder;
    FakeTimeSource time{QDateTime(today, QTime(12, 0))};
    FakeMessageBoxes messages;
    SilentSoundPlayer sounds;
    NoCamera camera;
    ProgramState state{folder.paths(), folder.database(), time, messages, sounds, camera};

    // Appends a row for a punch `daysAgo` days before today at the given time.
    qint64 add(const char* id, const char* name, int daysAgo, QTime at, bool out)
    {
        return ClockRecords(folder.database())
            .append(punchRecord(QString::fromLatin1(id), QDateTime(today.addDays(-daysAgo), at), out,
                                QString::fromLatin1(name)));
    }
};
