#pragma once

#include "clock/Punch.h"

#include <QDateTime>
#include <QWidget>
#include <optional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
struct ProgramState;

// The clock screen: takes an employee ID, shows the confirmation panel and records the punch.
class ClockWindow : public QWidget {
    Q_OBJECT

public:
    explicit ClockWindow(ProgramState& state, QWidget* parent = nullptr);

    // Runs every 100 ms: ends the confirmation and the elapsed-time display at their deadlines.
    void tick();
    // True while a punch is on display; the ID box takes no input then.
    bool isBusy() const;

Q_SIGNALS:
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildUi();
    void enterId();
    void enterTips();
    void cancelTips();
    void showPanel(const Punch& punch);
    void hidePanel();
    void writeRecord(const Punch& punch, const QString& tips);
    void afterRecordWritten(const Punch& punch, qint64 recordNumber);
    void placePanel();
    void reportDatabaseError(const QString& message);

    ProgramState& m_state;
    QTimer* m_timer = nullptr;
    QLabel* m_time = nullptr;
    QLabel* m_date = nullptr;
    QLabel* m_elapsed = nullptr;
    QFrame* m_idFrame = nullptr;
    QLabel* m_prompt = nullptr;
    QLineEdit* m_idBox = nullptr;
    QLabel* m_message = nullptr;
    QFrame* m_panel = nullptr;
    QLabel* m_lines[4] = {};
    QLabel* m_picture = nullptr;
    QLineEdit* m_tips = nullptr;
    QLabel* m_tipsCaption = nullptr;
    QPushButton* m_panelExit = nullptr;
    QPushButton* m_exit = nullptr;

    std::optional<Punch> m_awaitingTips;
    QDateTime m_panelUntil;
    QDateTime m_elapsedUntil;
    QDateTime m_pauseUntil; // after an unknown ID
};
