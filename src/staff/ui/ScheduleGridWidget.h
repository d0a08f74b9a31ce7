#pragma once

#include "staff/ScheduleGrid.h"

#include <QWidget>
#include <array>

class MessageBoxes;
class QLabel;
class QLineEdit;

// The week grid on screen: weekday names, hour labels and green bars drawn with the mouse, scaled
// to any size, with a typed-periods field beside every day for those who would rather type.
//
// Object names: gridWeek (this), txtDay1..txtDay7 (Sunday..Saturday), lblTypedProblem.
class ScheduleGridWidget : public QWidget {
    Q_OBJECT

public:
    explicit ScheduleGridWidget(MessageBoxes& messages, QWidget* parent = nullptr);

    // Shows a schedule; this is no change of the user's.
    void setSchedule(const WeeklySchedule& schedule);
    WeeklySchedule schedule() const { return m_grid.schedule(); }
    const ScheduleGrid& grid() const { return m_grid; }
    void setTwelveHour(bool twelveHour);

    int selectedRow() const { return m_selectedRow; }
    void selectRow(int row);

    // The line menu of a row; a paste onto a row with a bar only beeps.
    void cutRow(int row);
    void copyRow(int row);
    void pasteRow(int row);
    // Takes over what was typed into the day fields; false, with the problem shown and the field
    // focused, when one of them is not understood.
    bool applyTypedFields();

    // Where the grid is drawn, and the pixel of a twip position, for placing the mouse.
    QRectF gridArea() const;
    QPoint pixelAt(int twipX, int twipY) const;
    QLineEdit* typedField(int row) const { return m_fields.at(row - 1); }
    // The hour labels in their order, "M" for midnight with the 12-hour clock.
    QStringList hourLabels() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // The user changed or pressed into the schedule.
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPoint twipsAt(QPointF pixel) const;
    QRectF pixelRect(int left, int top, int right, int bottom) const;
    void layoutFields();
    void refreshField(int row);
    void refreshFields();
    bool applyTyped(int row);
    void showRowMenu(int row, const QPoint& globalPos);
    int labelWidth() const;
    int headerHeight() const;
    int fieldWidth() const;

    MessageBoxes& m_messages;
    ScheduleGrid m_grid;
    bool m_twelveHour = false;
    int m_selectedRow = 1;
    std::array<QLineEdit*, ScheduleGrid::dayRows> m_fields{};
    QLabel* m_problem = nullptr;
};
