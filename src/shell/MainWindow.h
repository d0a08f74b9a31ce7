#pragma once

#include <QMainWindow>
#include <functional>

struct ProgramState;

// The opening window: the manager's home, from which the clock screen is started.
class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    explicit MainWindow(ProgramState& state, QWidget* parent = nullptr);
    void setShowClock(std::function<void()> showClock) { m_showClock = std::move(showClock); }

private:
    ProgramState& m_state;
    std::function<void()> m_showClock;
};
