#pragma once

#include "clock/ForcedClockOut.h"
#include "clock/Punch.h"
#include "store/ClockRecord.h"
#include "store/PinTable.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

class TimeSource;

// The clock screen's cycle without the screen: which punch is on display and until when, the tips
// and the password asked for, a punch held back by a busy file, the hourly forced clock-out and the
// staff read at a new day. Driven by what is typed and by a tick read from the time source; the
// screen and its station do what the cycle asks of them through its Host.
class ClockCycle {
public:
    // A punch's write: its record number (0 when it went into the station's queue), or none yet
    // while another program holds the file, `record` then being what is tried again.
    struct Written {
        std::optional<qint64> number;
        ClockRecord record;
    };

    // A PIN to check against its stored hash, or (with no hash) a chosen PIN to hash; done off the
    // screen's thread, its answer handed back through pinWorkDone with the same ticket.
    struct PinWork {
        int ticket = 0;
        QString pin;
        QString hash;
    };
    struct PinWorkDone {
        int ticket = 0;
        bool matches = false; // the PIN checked is the hash's
        QString hash;         // the hash made
    };

    // What the cycle asks of the clock screen and its station. Store operations throw DatabaseError.
    class Host {
    public:
        virtual ~Host() = default;

        virtual void showTime(const QDateTime& now) = 0;
        // The first tick: the ID box takes the keyboard.
        virtual void takeKeyboard() = 0;
        virtual void showNotFound(const Punch& punch) = 0;
        // With the tips box, holding the keyboard, when the punch asks for tips.
        virtual void showPanel(const Punch& punch) = 0;
        virtual void hideTips() = 0;
        // Hides the panel with its tips box; the ID box takes the keyboard.
        virtual void hidePanel() = 0;
        virtual void showElapsed(const QString& text) = 0;
        virtual void hideElapsed() = 0;
        virtual void showPassword(bool shown) = 0;
        virtual void focusIdBox() = 0;
        virtual void leave() = 0;
        virtual void showError(const QString& message) = 0;
        virtual void playSound(const QString& name) = 0;
        // The PIN step: the ID box cleared for the PIN, its prompt, and a line under it (a wrong PIN,
        // two that differ); hidePin() gives the box back to the ID, `message` left under it.
        virtual void showPin(const QString& prompt, const QString& message) = 0;
        virtual void hidePin(const QString& message) = 0;

        virtual Punch begin(const QString& typed) = 0;
        // A reading of a card or barcode reader.
        virtual Punch beginCard(const QString& read) { return begin(read); }
        virtual Written write(const Punch& punch, const QString& tips) = 0;
        // A held record tried again: as for write().
        virtual std::optional<qint64> writeAgain(const ClockRecord& record) = 0;
        // Puts a held record into the station's queue; returns 0, its record number there.
        virtual qint64 keep(const ClockRecord& record, const QString& reason) = 0;
        // Sends what waits in the station's queue.
        virtual void sendWaiting() = 0;
        // Pictures and lists after a punch's record is stored.
        virtual void recordStored(const Punch& punch, qint64 recordNumber) = 0;
        // Throws when the pass could not write; a pass the station need not run returns.
        virtual void runForcedClockOut() = 0;
        // Reads the day's staff while the screen goes on; the read ends with staffRead().
        virtual void readStaff(QDate day) = 0;
        // A line for the program's log: nobody at an unattended clock could act on a message.
        virtual void note(const QString& line) = 0;
        // The employee's PIN as stored; none while the station cannot reach its server.
        virtual std::optional<PinRow> pinOf(const QString& id) = 0;
        virtual void startPinWork(const PinWork& work) = 0;
        virtual bool choosePin(const QString& id, const QString& hash) = 0;
        virtual PinTable::TryResult countPinTry(const QString& id, bool right) = 0;
    };

    // The settings the cycle follows; none of them changes while the screen is open.
    struct Rules {
        bool showElapsedTime = false;
        // The staff come from the scheduling database and are read again at each new day.
        bool readsStaffDaily = false;
        QString password;
        // Each punch waits for the employee's PIN.
        bool asksPin = false;
    };

    enum class State {
        WaitingForId,
        PausedAfterUnknownId,
        ShowingPunch,
        AskingForTips,
        StoringPunch,
        AskingForPin,
        CheckingPin
    };
    // Where a key of the on-screen keypad goes.
    enum class KeyTarget { Nowhere, TipsBox, IdBox, PasswordBox };

    // How long a punch waits for a busy file before it goes into the queue, and how often the queue
    // is sent.
    static constexpr int patienceSeconds = 30;
    static constexpr int sendEverySeconds = 2;
    // How long a pause follows an unknown ID, how long the elapsed time shows, and when a pass
    // that could not write tries again.
    static constexpr int pauseSeconds = 1;
    static constexpr int elapsedSeconds = 2;
    static constexpr int forcedRetrySeconds = 60;
    // How long the PIN step waits for the next key before it gives the box back to the ID.
    static constexpr int pinPatienceSeconds = 10;

    ClockCycle(const TimeSource& time, Host& host, Rules rules);

    // Every 100 ms: date change, time display, forced clock-out, the punch held back, the queue,
    // and the ends of the confirmation and the elapsed time.
    void tick();
    // The ID, or the PIN while one is asked for.
    void enterId(const QString& typed);
    // What a card or barcode reader sent, whole: taken as the ID box takes a typed ID (or a PIN while
    // one is asked for).
    void enterCard(const QString& read);
    // A key went into the PIN: the step waits again from now.
    void pinTyped();
    void cancelPin();
    void pinWorkDone(const PinWorkDone& done);
    void enterTips(const QString& tips);
    void cancelTips();
    // The screen's Exit: leaves at once without a password, else asks for it.
    void askToLeave();
    void enterPassword(const QString& typed);
    void dismissPassword();
    // The staff read that readStaff() started has ended.
    void staffRead();
    // The server went away during the read: yesterday's staff stay until it answers again.
    void staffReadMissed(QDate day);
    void serverBack();

    State state() const;
    // True while a punch is on display, after an unknown ID, while a punch waits for the file and
    // while the staff are read: the ID box takes no input then.
    bool isBusy() const;
    // Busy other than asking for tips: no button and no click does anything.
    bool acceptsNoInput() const;
    bool isReadingStaff() const { return m_readingStaff; }
    bool isAskingPassword() const { return m_passwordAsked; }
    bool isAskingPin() const { return m_pin.has_value(); }
    KeyTarget keypadTarget(bool clearKey) const;
    // The date stamped on pictures: taken at each date change.
    QDate pictureDay() const;

private:
    // A punch on the file waiting for another program's write lock, with the panel up until then.
    struct Held {
        Punch punch;
        ClockRecord record;
        QDateTime until;
    };

    // The employee at the ID box, from the typed ID to the panel; with PINs asked for, the PIN
    // step comes between the two unless the PIN was just given.
    struct PinStep {
        enum class Stage { Typing, Choosing, Repeating, Checking };
        std::function<Punch()> begin; // the punch of the ID or card, begun again after the PIN
        QString id;
        Stage stage = Stage::Typing;
        Stage checked = Stage::Typing; // what a check answers
        QString hash;
        QString firstChoice;
        QDateTime until;
        int ticket = 0;
    };

    void enter(const std::function<Punch()>& begin);
    void runPunch(const std::function<Punch()>& begin, bool pinGiven);
    void present(const Punch& punch);
    void refuse(const QString& message);
    void beginPin(const std::function<Punch()>& begin, const Punch& punch);
    void enterPin(const QString& typed);
    void askPin(PinStep::Stage stage, const QString& message);
    void checkPin(const QString& pin, const QString& hash);
    void endPin(const QString& message);
    void write(const Punch& punch, const QString& tips);
    void storeWaiting();
    void runForcedClockOut();
    void readStaff(QDate day);
    void hidePanel();
    void fail(const QString& message);

    const TimeSource& m_time;
    Host& m_host;
    const Rules m_rules;

    bool m_panelUp = false;
    QDateTime m_panelUntil; // none while tips are asked for
    std::optional<Punch> m_tipsFor;
    std::optional<Held> m_held;
    QDateTime m_pauseUntil;
    std::optional<QDateTime> m_elapsedUntil;
    bool m_passwordAsked = false;
    std::optional<PinStep> m_pin;
    int m_pinTickets = 0;

    ForcedClockOutTrigger m_forcedTrigger;
    // A pass that fell due while a punch waited for its tips runs when that punch is stored.
    bool m_forcedPending = false;
    QDateTime m_forcedRetryAt;
    QDateTime m_nextSend;

    QDate m_dateSeen; // empty until the first tick
    QDate m_pictureDay;
    bool m_firstTickDone = false;
    bool m_readingStaff = false;
    QDate m_staffReadDue; // a read the server was away for, done again once it answers
};
