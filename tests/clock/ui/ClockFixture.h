#pragma once

#include "FakeCamera.h"
#include "FakeMessageBoxes.h"
#include "FakeTimeSource.h"
#include "TestFolder.h"
#include "clock/ui/ClockWindow.h"
#include "platform/SoundPlayer.h"
#include "settings/ProgramState.h"
#include "store/ClockRecords.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// Remembers which sounds were asked for.
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

// A clock screen on a fresh database, driven through its real widgets.
class ClockFixture {
public:
    explicit ClockFixture(Backend backend = Backend::File)
        : folder(backend)
        , state(folder.paths(), folder.database(), time, messages, sounds, camera)
    {}

    ClockWindow& open(StationLink* link = nullptr)
    {
        window = std::make_unique<ClockWindow>(state, link);
        window->show();
        return *window;
    }
    template <typename T = QWidget> T* child(const char* name)
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    void punch(const QString& id)
    {
        QTest::keyClicks(child<QLineEdit>("Text1"), id);
        QTest::keyClick(child<QLineEdit>("Text1"), Qt::Key_Return);
    }
    void waitSeconds(int seconds)
    {
        time.advanceSeconds(seconds);
        window->tick();
    }
    bool panelShown() { return !child("pnlFin")->isHidden(); }
    QString line(int i)
    {
        return child<QLabel>(QStringLiteral("pnlLine%1").arg(i).toLatin1().constData())->text();
    }
    QList<ClockRecord> rows() { return ClockRecords(folder.database()).since(0); }

    TestFolder folder;
    FakeTimeSource time{QDateTime(QDate(2026, 12, 4), QTime(8, 0))};
    FakeMessageBoxes messages;
    RecordingSoundPlayer sounds;
    FakeCamera camera;
    ProgramState state;
    std::unique_ptr<ClockWindow> window;
};
