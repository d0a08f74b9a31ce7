#pragma once

#include "BackendTest.h"
#include "FakeMessageBoxes.h"
#include "FakeTimeSource.h"
#include "PunchRecord.h"
#include "platform/Camera.h"
#include "platform/SoundPlayer.h"
#include "settings/ProgramState.h"
#include "store/ClockRecords.h"

// A program state on a fresh clock database, with punches added straight into "In Out".
struct RecordsFixture {
    explicit RecordsFixture(Backend backend = Backend::File)
        : folder(backend)
    {}
    TestFolder folder;
    FakeTimeSource time{QDateTime(QDate(2026, 12, 4), QTime(10, 0))};
    FakeMessageBoxes messages;
    SilentSoundPlayer sounds;
    NoCamera camera;
    ProgramState state{folder.paths(), folder.database(), time, messages, sounds, camera};

    Database& database() { return folder.database(); }
    qint64 punch(const QString& id, const QDateTime& when, bool out,
                 const QString& name = QStringLiteral(" "))
    {
        return ClockRecords(database()).append(punchRecord(id, when, out, name));
    }
};
