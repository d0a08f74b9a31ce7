#pragma once

#include "FakeCamera.h"
#include "FakeMessageBoxes.h"
#include "FakeTimeSource.h"
#include "TestFolder.h"
#include "platform/SoundPlayer.h"
#include "settings/Services.h"
#include "settings/Session.h"

#include <QStringList>
#include <stdexcept>

// Remembers which sounds were asked for; can be told to fail as a sound device that went away.
class RecordingSoundPlayer final : public SoundPlayer {
public:
    void play(const QString& name) override
    {
        played.append(name);
        if (throws)
            throw std::runtime_error("sound device gone");
    }
    QStringList played;
    bool throws = false;
};

// The program's services and session as a test needs them: fake time, message boxes, sound and
// camera around a program folder of its own, with its clock database opened on either backend
// (or, for the start-up's tests, an empty folder with nothing opened).
struct TestProgram {
    explicit TestProgram(const QDateTime& now = FakeTimeSource().now(), Backend backend = Backend::File)
        : folder(backend)
        , time(now)
    {}
    TestProgram(const QDateTime& now, TestFolder::Empty empty)
        : folder(empty)
        , time(now)
    {}

    TestFolder folder;
    FakeTimeSource time;
    FakeMessageBoxes messages;
    RecordingSoundPlayer sounds;
    FakeCamera camera;
    Services services{folder.database(), time, messages, sounds, camera};
    Session session{folder.paths()};

    Database& database() { return folder.database(); }
};
