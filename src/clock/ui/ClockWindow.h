#pragma once

#include "clock/ForcedClockOut.h"
#include "clock/Punch.h"
#include "clock/WaitingPunches.h"
#include "platform/ProgramLog.h"

#include <QDate>
#include <QDateTime>
#include <QPointer>
#include <QWidget>
#include <optional>

class HelpWindow;
class KeypadWidget;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;
class DatabaseError;
class ResetCodeBox;
class StationLink;
struct ProgramState;

// The clock screen: takes an employee ID, shows the confirmation panel and records the punch; around
// it keeps the time and date on display, runs the hourly forced clock-out and shows who is in.
class ClockWindow : public QWidget {
    Q_OBJECT

public:
    // With a link (a station on a server), punches go through it and the screen marks when it is
    // offline.
    explicit ClockWindow(ProgramState& state, StationLink* link = nullptr, QWidget* parent = nullptr);
    ~ClockWindow() override;

    // Runs every 100 ms: date change, time display, forced clock-out, first focus, and the ends of the
    // confirmation and the elapsed-time display.
    void tick();
    // True while a punch is on display; the ID box takes no input then.
    bool isBusy() const;
    // A punch on display (other than one waiting for tips) takes no input of any kind.
    bool acceptsNoInput() const;
    // Fills the in and out lists again; they keep what they show when there is nothing to show.
    void refreshInOutLists();
    // True while the day's staff are read from the scheduling database; no punch starts meanwhile.
    bool isReloadingStaff() const { return m_reloadingStaff; }

Q_SIGNALS:
    void closed();
    // The password was cleared by the reset code: the program ends.
    void endRequested();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void buildUi();
    QLayout* buildInOutLists();
    void enterId();
    void enterTips();
    void cancelTips();
    void showPanel(const Punch& punch);
    void hidePanel();
    void writeRecord(const Punch& punch, const QString& tips);
    // On the file: the record number, 0 when it went into the queue, nullopt while the file is held.
    std::optional<qint64> storeOnFile(const ClockRecord& record);
    qint64 keepWaiting(const ClockRecord& record, const QString& reason);
    void startStoring(const Punch& punch, const ClockRecord& record);
    // Every tick: the punch on display tried again, and what waits in the queue sent now and then.
    void storeWaitingPunches();
    void afterRecordWritten(const Punch& punch, qint64 recordNumber);
    void placePanel();
    // Where the confirmation panel stands: over the ID frame, reaching below it.
    QRect panelRect() const;
    QList<QRect> helpKeepsClear() const;
    void placeCamera();
    void reportDatabaseError(const QString& message);
    // Whether the error was the server going away, which the link has taken care of.
    bool absorbedByLink(const DatabaseError& error);

    void screenActivated();
    void keypadKey(int key);
    void askPassword();
    // Closes the screen for real; any other close (title bar, Alt+F4) is refused.
    void leave();
    void enterPassword();
    void hidePassword();
    void showHelp();
    void runForcedClockOut();
    void playSound(const QString& name);
    void takePicture(const Punch& punch, qint64 recordNumber);
    // With the scheduling database as the source: today's staff and schedules, read while the
    // screen keeps running under a "Loading Employees and schedules" panel.
    void reloadStaffForNewDay(QDate today);
    void startStaffRead(QDate today);

    ProgramState& m_state;
    StationLink* m_link = nullptr;
    QTimer* m_timer = nullptr;
    QLabel* m_offline = nullptr;
    QLabel* m_time = nullptr;
    QLabel* m_date = nullptr;
    ResetCodeBox* m_resetCode = nullptr;
    QLabel* m_elapsed = nullptr;
    QFrame* m_idFrame = nullptr;
    QLabel* m_prompt = nullptr;
    QLineEdit* m_idBox = nullptr;
    QLabel* m_message = nullptr;
    QLabel* m_passwordCaption = nullptr;
    QLineEdit* m_password = nullptr;
    KeypadWidget* m_keypad = nullptr;
    QLabel* m_inOutLabel = nullptr;
    QListWidget* m_inList = nullptr;
    QListWidget* m_outList = nullptr;
    QWidget* m_cameraArea = nullptr;
    QFrame* m_panel = nullptr;
    QLabel* m_lines[4] = {};
    QLabel* m_picture = nullptr;
    QLineEdit* m_tips = nullptr;
    QLabel* m_tipsCaption = nullptr;
    QPushButton* m_panelExit = nullptr;
    QPushButton* m_exit = nullptr;
    QPushButton* m_minimize = nullptr;
    QPushButton* m_help = nullptr;
    QPointer<HelpWindow> m_helpWindow;
    bool m_helpShownBefore = false;

    std::optional<Punch> m_awaitingTips;
    bool m_leaving = false;
    QDateTime m_panelUntil;
    QDateTime m_elapsedUntil;
    QDateTime m_pauseUntil; // after an unknown ID

    ForcedClockOut m_forcedClockOut;
    ForcedClockOutTrigger m_forcedTrigger;
    // A pass that fell due while a punch waited for its tips runs when that punch is stored.
    bool m_forcedPending = false;
    QDateTime m_forcedRetryAt; // a pass that could not write tries again then
    ProgramLog m_log;
    // A punch on the file waiting for another program's write lock, with the panel up until then.
    struct Storing {
        Punch punch;
        ClockRecord record;
        QDateTime until;
    };
    std::optional<Storing> m_storing;
    WaitingPunches m_waiting;
    QDateTime m_nextSend;
    QDate m_dateSeen;   // empty until the first tick
    QDate m_pictureDay; // the date stamped on pictures, taken at each date change
    bool m_firstTickDone = false;
    QLabel* m_loadingPanel = nullptr; // made at the first reload
    bool m_reloadingStaff = false;
    QDate m_staffReloadDue; // a reload the server was away for, done again once it answers
};
