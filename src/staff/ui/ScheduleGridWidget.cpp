#include "staff/ui/ScheduleGridWidget.h"

#include "platform/MessageBoxes.h"
#include "staff/TypedPeriods.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace {
constexpr int gap = 8;
const QColor barColour(0, 160, 0);
const QColor dragColour(0, 200, 0, 150);
const QColor lineColour(225, 225, 225);
const QColor noonColour(0, 0, 255);

// Row 1 is Sunday; Qt counts Monday as 1 and Sunday as 7.
QString dayName(int row)
{
    return QLocale().dayName(row == 1 ? 7 : row - 1, QLocale::ShortFormat);
}

QString longDayName(int row)
{
    return QLocale().dayName(row == 1 ? 7 : row - 1, QLocale::LongFormat);
}
} // namespace

ScheduleGridWidget::ScheduleGridWidget(MessageBoxes& messages, QWidget* parent)
    : QWidget(parent)
    , m_messages(messages)
{
    setObjectName(QStringLiteral("gridWeek"));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    for (int row = 1; row <= ScheduleGrid::dayRows; ++row) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("txtDay%1").arg(row));
        field->setPlaceholderText(QStringLiteral("e.g. 08:00-12:00"));
        field->installEventFilter(this);
        field->setToolTip(
            QStringLiteral("%1: type the working periods, then press Enter").arg(longDayName(row)));
        connect(field, &QLineEdit::editingFinished, this, [this, row] { applyTyped(row); });
        connect(field, &QLineEdit::textEdited, this, &ScheduleGridWidget::changed);
        m_fields[row - 1] = field;
    }
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("lblTypedProblem"));
    QPalette red = m_problem->palette();
    red.setColor(QPalette::WindowText, QColor(192, 0, 0));
    m_problem->setPalette(red);
    refreshFields();
}

void ScheduleGridWidget::setSchedule(const WeeklySchedule& schedule)
{
    m_grid.load(schedule);
    m_problem->clear();
    refreshFields();
    update();
}

void ScheduleGridWidget::setTwelveHour(bool twelveHour)
{
    m_twelveHour = twelveHour;
    update();
}

void ScheduleGridWidget::selectRow(int row)
{
    if (row < 1 || row > ScheduleGrid::dayRows)
        return;
    m_selectedRow = row;
    update();
}

void ScheduleGridWidget::cutRow(int row)
{
    m_grid.cutRow(row);
    refreshField(row);
    update();
    Q_EMIT changed();
}

void ScheduleGridWidget::copyRow(int row)
{
    m_grid.copyRow(row);
}

void ScheduleGridWidget::pasteRow(int row)
{
    if (!m_grid.pasteRow(row)) {
        m_messages.beep();
        return;
    }
    refreshField(row);
    update();
    Q_EMIT changed();
}

int ScheduleGridWidget::labelWidth() const
{
    int widest = 0;
    for (int row = 1; row <= ScheduleGrid::dayRows; ++row)
        widest = qMax(widest, fontMetrics().horizontalAdvance(dayName(row)));
    return widest + gap;
}

int ScheduleGridWidget::headerHeight() const
{
    return fontMetrics().height() + 6;
}

int ScheduleGridWidget::fieldWidth() const
{
    const int full =
        fontMetrics().horizontalAdvance(QStringLiteral("00:00-00:00, 00:00-00:00, 00:00-00:00")) + 12;
    return qBound(fontMetrics().horizontalAdvance(QStringLiteral("00:00-00:00")) + 12, width() / 4, full);
}

QRectF ScheduleGridWidget::gridArea() const
{
    const int left = labelWidth();
    const int top = headerHeight();
    const int bottom = height() - (fontMetrics().height() + 6);
    const int right = width() - fieldWidth() - gap;
    return QRectF(left, top, qMax(right - left, 1), qMax(bottom - top, 1));
}

// The mouse position becomes twips before any rule applies, so the snapping is the same at every
// window size and scale factor.
QPoint ScheduleGridWidget::twipsAt(QPointF pixel) const
{
    const QRectF area = gridArea();
    const double x = (pixel.x() - area.left()) * ScheduleGrid::width / area.width();
    const double y = (pixel.y() - area.top()) * ScheduleGrid::height / area.height();
    return QPoint(static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y)));
}

QPoint ScheduleGridWidget::pixelAt(int twipX, int twipY) const
{
    const QRectF area = gridArea();
    return QPointF(area.left() + (twipX + 0.5) * area.width() / ScheduleGrid::width,
                   area.top() + (twipY + 0.5) * area.height() / ScheduleGrid::height)
        .toPoint();
}

QRectF ScheduleGridWidget::pixelRect(int left, int top, int right, int bottom) const
{
    const QRectF area = gridArea();
    const double sx = area.width() / ScheduleGrid::width;
    const double sy = area.height() / ScheduleGrid::height;
    return QRectF(QPointF(area.left() + left * sx, area.top() + top * sy),
                  QPointF(area.left() + right * sx, area.top() + bottom * sy));
}

QStringList ScheduleGridWidget::hourLabels() const
{
    QStringList labels;
    for (int hour = 0; hour <= 24; ++hour) {
        if (!m_twelveHour)
            labels.append(QString::number(hour));
        else if (hour == 0 || hour == 24)
            labels.append(QStringLiteral("M"));
        else if (hour == 12)
            labels.append(QStringLiteral("12"));
        else if (hour < 12)
            labels.append(QString::number(hour) + QLatin1Char('a'));
        else
            labels.append(QString::number(hour - 12) + QLatin1Char('p'));
    }
    return labels;
}

QSize ScheduleGridWidget::sizeHint() const
{
    const int rows = (fontMetrics().height() + 12) * ScheduleGrid::dayRows;
    return QSize(labelWidth() + 578 + gap + 260, headerHeight() + rows + fontMetrics().height() + 6);
}

QSize ScheduleGridWidget::minimumSizeHint() const
{
    const int rows = (m_fields[0]->minimumSizeHint().height() + 2) * ScheduleGrid::dayRows;
    return QSize(labelWidth() + 300 + gap + 120, headerHeight() + rows + fontMetrics().height() + 6);
}

bool ScheduleGridWidget::eventFilter(QObject* watched, QEvent* event)
{
    // Typing into a day's field makes that day the selected one, as a click on its row does.
    if (event->type() == QEvent::FocusIn) {
        for (int row = 1; row <= ScheduleGrid::dayRows; ++row) {
            if (watched == m_fields[row - 1])
                selectRow(row);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ScheduleGridWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF area = gridArea();
    const QFontMetrics metrics = fontMetrics();

    // Hour labels every 1, 2, 3, 4 or 6 hours, whichever fits first: steps that divide twelve keep
    // midnight and noon labelled.
    const QStringList labels = hourLabels();
    const double hourPixels = area.width() * ScheduleGrid::hourWidth / ScheduleGrid::width;
    int widest = 0;
    for (const QString& label : labels)
        widest = qMax(widest, metrics.horizontalAdvance(label));
    int step = 1;
    for (int candidate : {1, 2, 3, 4, 6}) {
        step = candidate;
        if (candidate * hourPixels >= widest + 4)
            break;
    }
    for (int hour = 0; hour <= 24; hour += step) {
        const double x = pixelRect(hour * ScheduleGrid::hourWidth, 0, 0, 0).left();
        const int w = metrics.horizontalAdvance(labels[hour]);
        const bool blue = m_twelveHour && (hour == 0 || hour == 12 || hour == 24);
        painter.setPen(blue ? noonColour : palette().color(QPalette::WindowText));
        painter.drawText(QPointF(x - w / 2.0, area.top() - 4 - metrics.descent()), labels[hour]);
    }

    const ScheduleGrid::DraggedBar dragged = m_grid.draggedBar();
    for (int row = 1; row <= ScheduleGrid::dayRows; ++row) {
        const int top = (row - 1) * ScheduleGrid::rowHeight;
        const QRectF band = pixelRect(0, top, ScheduleGrid::width, top + ScheduleGrid::rowHeight);
        painter.fillRect(band, Qt::white);
        painter.setPen(lineColour);
        for (int hour = 1; hour < 24; ++hour) {
            const double x = pixelRect(hour * ScheduleGrid::hourWidth, 0, 0, 0).left();
            painter.drawLine(QPointF(x, band.top()), QPointF(x, band.bottom()));
        }
        painter.drawLine(band.bottomLeft(), band.bottomRight());
        for (int slot = 1; slot <= m_grid.count(row); ++slot) {
            const int start = m_grid.start(row, slot);
            const int stop = m_grid.stop(row, slot);
            if (start == stop)
                continue;
            painter.fillRect(pixelRect(start * ScheduleGrid::quarterWidth, top + ScheduleGrid::barTop,
                                       stop * ScheduleGrid::quarterWidth, top + ScheduleGrid::barBottom),
                             barColour);
        }
        if (dragged.row == row) {
            const QRectF bar = pixelRect(dragged.left, top + ScheduleGrid::barTop, dragged.right,
                                         top + ScheduleGrid::barBottom);
            painter.fillRect(bar, dragColour);
            painter.setPen(barColour.darker());
            painter.drawRect(bar);
        }

        QFont font = this->font();
        font.setBold(row == m_selectedRow);
        painter.setFont(font);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRectF(0, band.top(), area.left() - 4, band.height()),
                         Qt::AlignRight | Qt::AlignVCenter, dayName(row));
        painter.setFont(this->font());
        if (row == m_selectedRow && hasFocus()) {
            painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
            painter.drawRect(band.adjusted(0.5, 0.5, -1, -1));
        }
    }
    painter.setPen(Qt::gray);
    painter.drawRect(area.adjusted(-0.5, -0.5, 0, 0));
}

void ScheduleGridWidget::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutFields();
}

void ScheduleGridWidget::layoutFields()
{
    const QRectF area = gridArea();
    const double rowHeight = area.height() / ScheduleGrid::dayRows;
    const int fieldHeight = qMin(m_fields[0]->sizeHint().height(), static_cast<int>(rowHeight) - 1);
    const int left = static_cast<int>(area.right()) + gap;
    for (int row = 1; row <= ScheduleGrid::dayRows; ++row) {
        const double middle = area.top() + (row - 0.5) * rowHeight;
        m_fields[row - 1]->setGeometry(left, static_cast<int>(middle - fieldHeight / 2.0), width() - left,
                                       fieldHeight);
    }
    m_problem->setGeometry(0, static_cast<int>(area.bottom()) + 2, width(),
                           height() - static_cast<int>(area.bottom()) - 2);
}

void ScheduleGridWidget::mousePressEvent(QMouseEvent* event)
{
    const QRectF area = gridArea();
    const QPointF at = event->position();
    if (at.x() < area.left() || at.x() > area.right()) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint twips = twipsAt(at);
    const int row = ScheduleGrid::rowAt(twips.y());
    if (row < 1 || row > ScheduleGrid::dayRows)
        return;
    selectRow(row);
    if (event->button() == Qt::RightButton) {
        showRowMenu(row, event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton || m_grid.drag() != ScheduleGrid::Drag::None)
        return;
    if (m_grid.press(twips.x(), twips.y())) {
        Q_EMIT changed();
        update();
    }
}

void ScheduleGridWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_grid.drag() == ScheduleGrid::Drag::None)
        return;
    m_grid.moveTo(twipsAt(event->position()).x());
    const ScheduleGrid::DraggedBar bar = m_grid.draggedBar();
    // The times the bar will snap to, while it is still being dragged.
    const int left = ScheduleGrid::snap(qMax(bar.left, 0)) / ScheduleGrid::quarterWidth;
    const int right = ScheduleGrid::snap(qMin(bar.right, ScheduleGrid::width)) / ScheduleGrid::quarterWidth;
    m_problem->setText(right > left ? longDayName(bar.row) + QStringLiteral(" ") +
                                          TypedPeriods::format({{left, right}})
                                    : QString());
    update();
}

void ScheduleGridWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || m_grid.drag() == ScheduleGrid::Drag::None)
        return;
    const int row = m_grid.draggedBar().row;
    const QPoint twips = twipsAt(event->position());
    m_grid.release(twips.x(), twips.y());
    m_problem->clear();
    refreshField(row);
    update();
    Q_EMIT changed();
}

void ScheduleGridWidget::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_grid.drag() != ScheduleGrid::Drag::None) {
        m_grid.cancelDrag();
        m_problem->clear();
        update();
    } else if (event->key() == Qt::Key_Up) {
        selectRow(m_selectedRow - 1);
    } else if (event->key() == Qt::Key_Down) {
        selectRow(m_selectedRow + 1);
    } else if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
        m_grid.clearRow(m_selectedRow);
        refreshField(m_selectedRow);
        update();
        Q_EMIT changed();
    } else if (event->matches(QKeySequence::Cut)) {
        cutRow(m_selectedRow);
    } else if (event->matches(QKeySequence::Copy)) {
        copyRow(m_selectedRow);
    } else if (event->matches(QKeySequence::Paste)) {
        pasteRow(m_selectedRow);
    } else {
        QWidget::keyPressEvent(event);
    }
}

void ScheduleGridWidget::showRowMenu(int row, const QPoint& globalPos)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("mnuLine"));
    connect(menu.addAction(QStringLiteral("&Cut")), &QAction::triggered, this, [this, row] { cutRow(row); });
    connect(menu.addAction(QStringLiteral("C&opy")), &QAction::triggered, this,
            [this, row] { copyRow(row); });
    connect(menu.addAction(QStringLiteral("&Paste")), &QAction::triggered, this,
            [this, row] { pasteRow(row); });
    menu.exec(globalPos);
}

void ScheduleGridWidget::refreshField(int row)
{
    m_fields[row - 1]->setText(TypedPeriods::format(m_grid.periods(row), QStringLiteral(", ")));
}

void ScheduleGridWidget::refreshFields()
{
    for (int row = 1; row <= ScheduleGrid::dayRows; ++row)
        refreshField(row);
}

bool ScheduleGridWidget::applyTypedFields()
{
    for (int row = 1; row <= ScheduleGrid::dayRows; ++row) {
        if (!applyTyped(row)) {
            m_fields[row - 1]->setFocus();
            return false;
        }
    }
    return true;
}

bool ScheduleGridWidget::applyTyped(int row)
{
    QLineEdit* field = m_fields[row - 1];
    const TypedPeriods::Parsed parsed = TypedPeriods::parse(field->text());
    if (!parsed.ok()) {
        m_problem->setText(longDayName(row) + QStringLiteral(": ") + parsed.error);
        m_messages.beep();
        return false;
    }
    m_problem->clear();
    if (parsed.periods != m_grid.periods(row)) {
        m_grid.setPeriods(row, parsed.periods);
        update();
        Q_EMIT changed();
    }
    refreshField(row);
    return true;
}
