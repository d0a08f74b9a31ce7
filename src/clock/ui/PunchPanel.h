#pragma once

#include <QFrame>

class Punch;
class QLabel;
class QLineEdit;
class QPushButton;

// The confirmation panel over the ID frame: the employee's name, the message and greeting painted as
// the punch's outcome says, and, for an OUT with tips, the tips box with its own Exit.
class PunchPanel : public QFrame {
    Q_OBJECT

public:
    explicit PunchPanel(QWidget* parent = nullptr);

    // Paints the punch and shows the panel; the tips box, emptied, only when the punch asks for tips.
    void present(const Punch& punch);
    void hideTips();
    // The week's hours under the employee's name, until the panel is presented again.
    void showWeekHours(const QString& line);
    // Hides the panel with its tips box.
    void dismiss();
    QString tips() const;
    void clearTips();
    void focusTips();

Q_SIGNALS:
    void tipsEntered();
    // The panel's Exit: the OUT is not recorded.
    void cancelled();

private:
    void showTips(bool shown);

    QLabel* m_lines[4] = {};
    QLabel* m_picture = nullptr;
    QLabel* m_tipsCaption = nullptr;
    QLineEdit* m_tips = nullptr;
    QPushButton* m_exit = nullptr;
};
