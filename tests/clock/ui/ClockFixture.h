#pragma once

#include "TestProgram.h"
#include "clock/ui/ClockWindow.h"
#include "store/ClockRecords.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// A clock screen on a fresh database, driven through its real widgets.
class ClockFixture : public TestProgram {
public:
    explicit ClockFixture(Backend backend = Backend::File)
        : TestProgram(QDateTime(QDate(2026, 12, 4), QTime(8, 0)), backend)
    {}

    ClockWindow& open(StationLink* link = nullptr)
    {
        window = std::make_unique<ClockWindow>(services, session, link);
        window->show();
        return *window;
    }
    template <typename T = QWidget> T* child(const char* name)
    {
        return window->findChild<T*>(QString::fromLatin1(name));
    }
    // Typed at the keyboard: a person's Enter comes well after the last key, where a card
    // reader's would come at once.
    void punch(const QString& id)
    {
        QTest::keyClicks(child<QLineEdit>("Text1"), id);
        time.advanceMilliseconds(KeyBurst::gapMs + 10);
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

    std::unique_ptr<ClockWindow> window;
};
