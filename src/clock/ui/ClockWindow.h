#pragma once

#include "clock/ClockCycle.h"
#include "clock/ForcedClockOut.h"
#include "clock/WaitingPunches.h"
#include "platform/KeyBurst.h"
#include "platform/ProgramLog.h"

#include <QPointer>
#include <QThreadPool>
#include <QWidget>
#include <functional>

class HelpWindow;
class KeypadWidget;
class PunchPanel;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;
class QVBoxLayout;
class DatabaseError;
class ResetCodeBox;
class StationLink;
struct Services;
class Session;

// The clock screen: shows what its cycle says (the confirmation panel, the tips and password boxes,
// the time and date, who is in) and hands it what is typed and clicked; runs the cycle's store
// operations on its station.
class ClockWindow : public QWidget, private ClockCycle::Host {
    Q_OBJECT

public:
    // With a link (a station on a server), punches go through it and the screen marks when it is
    // offline.
    explicit ClockWindow(const Services& services, Session& session, StationLink* link = nullptr,
                         QWidget* parent = nullptr);
    ~ClockWindow() override;

    // Runs every 100 ms.
    void tick();
    // True while a punch is on display; the ID box takes no input then.
    bool isBusy() const;
    // A punch on display (other than one waiting for tips) takes no input of any kind.
    bool acceptsNoInput() const;
    // Fills the in and out lists again; they keep what they show when there is nothing to show.
    void refreshInOutLists();
    // True while the day's staff are read from the scheduling database; no punch starts meanwhile.
    bool isReloadingStaff() const;
    // The line "This week: 31:45" the panel adds after a stored punch of that employee; empty for
    // none. Shown only while the option asks for it.
    void setWeekHours(std::function<QString(const QString& employeeId)> weekHours);

Q_SIGNALS:
    void closed();
    // The password was cleared by the reset code: the program ends.
    void endRequested();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    // Keys that reach the screen itself, the focus being elsewhere than in a box: only a card or
    // barcode reader's burst does anything with them.
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // What the cycle asks of the screen.
    void showTime(const QDateTime& now) override;
    void takeKeyboard() override;
    void showNotFound(const Punch& punch) override;
    void showPanel(const Punch& punch) override;
    void hideTips() override;
    void hidePanel() override;
    void showElapsed(const QString& text) override;
    void hideElapsed() override;
    void showPassword(bool shown) override;
    void focusIdBox() override;
    void leave() override;
    void showError(const QString& message) override;
    void playSound(const QString& name) override;
    // What it asks of the station.
    Punch begin(const QString& typed) override;
    Punch beginCard(const QString& read) override;
    ClockCycle::Written write(const Punch& punch, const QString& tips) override;
    std::optional<qint64> writeAgain(const ClockRecord& record) override;
    qint64 keep(const ClockRecord& record, const QString& reason) override;
    void sendWaiting() override;
    void recordStored(const Punch& punch, qint64 recordNumber) override;
    void runForcedClockOut() override;
    void readStaff(QDate day) override;
    void note(const QString& line) override;
    // The PIN step (ClockWindowPin.cpp).
    void showPin(const QString& prompt, const QString& message) override;
    void hidePin(const QString& message) override;
    std::optional<PinRow> pinOf(const QString& id) override;
    void startPinWork(const ClockCycle::PinWork& work) override;
    bool choosePin(const QString& id, const QString& hash) override;
    PinTable::TryResult countPinTry(const QString& id, bool right) override;
    // Keys typed into the PIN: digits only, Escape gives the box back to the ID. True when taken.
    bool pinKey(const QKeyEvent* key);

    void buildUi();
    QVBoxLayout* buildIdFrame();
    QLayout* buildInOutLists();
    void enterId();
    // Tells the reader the key; true when it is a reader's Enter, which the screen then holds.
    bool noteKey(const QKeyEvent& event);
    void takeReading();
    void showWeekHours(const Punch& punch);
    void placePanel();
    // Where the confirmation panel stands: over the ID frame, reaching below it.
    QRect panelRect() const;
    QList<QRect> helpKeepsClear() const;
    void placeCamera();
    // Whether the error was the server going away, which the link has taken care of.
    bool absorbedByLink(const DatabaseError& error);

    void screenActivated();
    void keypadKey(int key);
    void showHelp();
    void takePicture(const Punch& punch, qint64 recordNumber);
    void startStaffRead(QDate today);

    const Services& m_services;
    Session& m_session;
    StationLink* m_link = nullptr;
    ForcedClockOut m_forcedClockOut;
    ProgramLog m_log;
    WaitingPunches m_waiting;
    ClockCycle m_cycle;
    KeyBurst m_burst;
    std::function<QString(const QString&)> m_weekHours;
    bool m_leaving = false;

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
    PunchPanel* m_panel = nullptr;
    QPushButton* m_exit = nullptr;
    QLabel* m_loadingPanel = nullptr; // made at the first reload
    QPointer<HelpWindow> m_helpWindow;
    bool m_helpShownBefore = false;
    // The PIN hashes run here, off the screen's thread; the last member, so that it waits for a hash
    // under way before anything it reports to goes.
    QThreadPool m_pinWork;
};
