#include "staff/ui/PinDialog.h"

#include "staff/StaffFixture.h"
#include "staff/ui/EmployeeEditor.h"
#include "store/EditHistory.h"
#include "store/PinTable.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
template <typename T> T* child(QWidget* parent, const char* name)
{
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

const QString id = QStringLiteral("O'NEIL");

struct PinFixture : StaffFixture {
    PinFixture()
    {
        writeStaff({{1, QStringLiteral("Ann O'Neil"), QStringLiteral("O'Neil"), 0, Money(), true, {}}}, {});
    }
    PinTable pins() { return PinTable(folder.database()); }
    void wrongTries(int count)
    {
        for (int i = 0; i < count; ++i)
            pins().count(id, false, time.now());
    }
};

// The dialog as the editor's "PIN..." button opens it for the first employee.
PinDialog* openedFrom(EmployeeEditor& editor)
{
    child<QPushButton>(&editor, "cmdPin")->click();
    return child<PinDialog>(&editor, "dlgPin");
}

// What the dialog shows: the state line and which buttons can be used.
struct Shown {
    QString state;
    bool clear = false;
    bool unlock = false;
    friend bool operator==(const Shown&, const Shown&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Shown& s)
    {
        return out << s.state.toStdString() << " clear " << s.clear << " unlock " << s.unlock;
    }
};

Shown shownBy(PinDialog* dialog)
{
    return {child<QLabel>(dialog, "lblPinState")->text(),
            child<QPushButton>(dialog, "cmdClearPin")->isEnabled(),
            child<QPushButton>(dialog, "cmdUnlockPin")->isEnabled()};
}

TEST(PinDialog, ShowsThePinTheTriesAndTheLockAsStored)
{
    const struct {
        const char* kept;
        bool chosen;
        int wrong;
        int minutesLater; // when the dialog is opened
        Shown shown;
    } cases[] = {
        {"no PIN", false, 0, 0, {"No PIN yet: one is chosen at the next punch.", false, false}},
        {"a PIN", true, 0, 0, {"A PIN is set.", true, false}},
        {"one wrong", true, 1, 0, {"A PIN is set. 1 wrong PIN since the last right one.", true, true}},
        {"four wrong", true, 4, 0, {"A PIN is set. 4 wrong PINs since the last right one.", true, true}},
        {"locked", true, 5, 4, {"A PIN is set. Locked after too many wrong PINs until 08:05.", true, true}},
        {"lock over", true, 5, 5, {"A PIN is set.", true, false}}, // the count starts again
    };
    for (const auto& c : cases) {
        PinFixture f;
        if (c.chosen)
            f.pins().choose(id, QStringLiteral("hash"));
        f.wrongTries(c.wrong);
        f.time.advanceSeconds(c.minutesLater * 60);
        EmployeeEditor editor(f.services, f.session, 0);
        editor.show();
        PinDialog* dialog = openedFrom(editor);
        ASSERT_NE(dialog, nullptr) << c.kept;
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("PIN of Ann O'Neil")) << c.kept;
        EXPECT_EQ(shownBy(dialog), c.shown) << c.kept;
    }
}

TEST(PinDialog, UnlockAndClearStoreAtOnceWithTheirHistoryAndShowWhatIsLeft)
{
    PinFixture f;
    f.pins().choose(id, QStringLiteral("hash"));
    f.wrongTries(PinTable::triesBeforeLock);
    EmployeeEditor editor(f.services, f.session, 0);
    editor.show();
    PinDialog* dialog = openedFrom(editor);
    ASSERT_NE(dialog, nullptr);

    child<QPushButton>(dialog, "cmdUnlockPin")->click();
    const PinRow unlocked = f.pins().of(id);
    EXPECT_EQ(unlocked.hash, QStringLiteral("hash"));
    EXPECT_EQ(unlocked.wrongTries, 0);
    EXPECT_FALSE(unlocked.isLockedAt(f.time.now()));
    EXPECT_EQ(shownBy(dialog), (Shown{QStringLiteral("A PIN is set."), true, false}));

    child<QPushButton>(dialog, "cmdClearPin")->click();
    EXPECT_TRUE(f.pins().of(id).hash.isEmpty());
    EXPECT_EQ(shownBy(dialog),
              (Shown{QStringLiteral("No PIN yet: one is chosen at the next punch."), false, false}));

    QStringList actions;
    for (const HistoryEntry& entry : EditHistory(f.folder.database()).entries())
        actions.append(entry.action);
    EXPECT_EQ(actions, (QStringList{PinTable::unlockedAction, PinTable::clearedAction}));

    child<QPushButton>(dialog, "cmdClose")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(editor.findChild<PinDialog*>(QStringLiteral("dlgPin")), nullptr);
    EXPECT_TRUE(f.messages.shown.isEmpty());
}

TEST(PinDialog, ANewEmployeeHasNoPinToShow)
{
    PinFixture f;
    EmployeeEditor adding(f.services, f.session, -1);
    EXPECT_FALSE(child<QPushButton>(&adding, "cmdPin")->isEnabled());
}
} // namespace
