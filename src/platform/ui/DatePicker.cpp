#include "platform/ui/DatePicker.h"

#include "platform/TimeSource.h"

#include <QEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>

namespace {
constexpr int buttonWidth = 34;
constexpr int buttonHeight = 26;
constexpr int cellWidth = 38;
constexpr int cellHeight = 30;
constexpr int margin = 4;
constexpr int frameInset = 2; // the frame sits 30 twips up and left of the button

const char* const navigationCaptions[] = {" <<   Month   >>", " <<    Year     >>"};
const char* const navigationTips[] = {"Two months back", "One month back", "This month",    "One month on",
                                      "Two months on",   "Two years back", "One year back", "This year",
                                      "One year on",     "Two years on"};
} // namespace

DatePicker::DatePicker(QDate today, QWidget* parent)
    : QDialog(parent)
    , m_grid(today)
{
    setWindowTitle(QStringLiteral("Date"));
    auto* layout = new QVBoxLayout(this);

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("lblTitle"));
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setFrameShape(QFrame::Panel);
    m_title->setFrameShadow(QFrame::Raised);
    QFont titleFont = m_title->font();
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    layout->addWidget(m_title);

    const QStringList headings = MonthGrid::weekdayHeadings(locale());
    auto* headingRow = new QWidget(this);
    headingRow->setFixedSize(7 * cellWidth + 2 * margin, 18);
    for (int i = 0; i < 7; ++i) {
        auto* heading = new QLabel(headings.at(i), headingRow);
        heading->setAlignment(Qt::AlignCenter);
        heading->setGeometry(margin + i * cellWidth, 0, buttonWidth, 18);
        if (i == 0 || i == 6)
            heading->setStyleSheet(QStringLiteral("color: rgb(160, 0, 0)"));
    }
    layout->addWidget(headingRow);

    m_days = new QWidget(this);
    m_days->setFixedSize(7 * cellWidth + 2 * margin, 6 * cellHeight + 2 * margin);
    m_selection = new QFrame(m_days);
    m_selection->setObjectName(QStringLiteral("Shape1"));
    m_selection->setFrameShape(QFrame::Box);
    m_selection->setLineWidth(2);
    for (int day = 1; day <= 31; ++day) {
        auto* button = new QPushButton(QString::number(day), m_days);
        button->setObjectName(QStringLiteral("Command3D2_%1").arg(day));
        button->setFixedSize(buttonWidth, buttonHeight);
        connect(button, &QPushButton::clicked, this, [this, day] { selectDay(day); });
        m_dayButtons.append(button);
    }
    layout->addWidget(m_days);

    m_longDate = new QLabel(this);
    m_longDate->setObjectName(QStringLiteral("label3"));
    m_longDate->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_longDate);

    // Each caption line lies over five click zones: far left two back, then one back, the middle
    // today's, then one on and, far right, two on.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSize(font().pointSize() + 2);
    for (int row = 0; row < 2; ++row) {
        auto* line = new QWidget(this);
        auto* stack = new QStackedLayout(line);
        stack->setStackingMode(QStackedLayout::StackAll);
        auto* caption = new QLabel(QString::fromLatin1(navigationCaptions[row]), line);
        caption->setObjectName(row == 0 ? QStringLiteral("lblMonthCaption")
                                        : QStringLiteral("lblYearCaption"));
        caption->setFont(fixed);
        caption->setAlignment(Qt::AlignCenter);
        auto* zones = new QWidget(line);
        auto* zoneLayout = new QHBoxLayout(zones);
        zoneLayout->setContentsMargins(0, 0, 0, 0);
        zoneLayout->setSpacing(0);
        for (int i = row * 5; i < row * 5 + 5; ++i) {
            auto* label = new QLabel(zones);
            label->setObjectName(QStringLiteral("Label2_%1").arg(i));
            label->setToolTip(QString::fromLatin1(navigationTips[i]));
            label->setCursor(Qt::PointingHandCursor);
            label->installEventFilter(this);
            zoneLayout->addWidget(label, 1);
            m_navigation.append(label);
        }
        stack->addWidget(caption);
        stack->addWidget(zones);
        stack->setCurrentWidget(zones); // on top, so the clicks reach the zones
        layout->addWidget(line);
    }

    auto* buttons = new QHBoxLayout;
    auto* accept = new QPushButton(QStringLiteral("OK"), this);
    accept->setObjectName(QStringLiteral("Command3D1"));
    accept->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("Command3D3"));
    buttons->addStretch();
    buttons->addWidget(accept);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(accept, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    drawMonth();
}

std::optional<QDate> DatePicker::chosenDate() const
{
    if (result() != QDialog::Accepted)
        return std::nullopt;
    return selectedDate();
}

bool DatePicker::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        const qsizetype index = m_navigation.indexOf(qobject_cast<QLabel*>(watched));
        if (index >= 0) {
            m_grid.navigate(static_cast<int>(index));
            drawMonth();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void DatePicker::drawMonth()
{
    m_title->setText(m_grid.title(locale()));
    const int days = m_grid.daysInMonth();
    for (int day = 1; day <= 31; ++day) {
        QPushButton* button = m_dayButtons.at(day - 1);
        if (day > days) {
            button->hide();
            continue;
        }
        button->move(margin + m_grid.column(day) * cellWidth, margin + m_grid.row(day) * cellHeight);
        const int column = m_grid.column(day);
        button->setStyleSheet(column == 0 || column == 6 ? QStringLiteral("color: rgb(160, 0, 0)")
                                                         : QString());
        button->show();
    }
    selectDay(m_grid.selectedDay());
}

void DatePicker::selectDay(int day)
{
    m_grid.select(day);
    const QPushButton* button = m_dayButtons.at(m_grid.selectedDay() - 1);
    m_selection->setGeometry(button->geometry().adjusted(-frameInset, -frameInset, frameInset, frameInset));
    m_selection->lower();
    m_longDate->setText(locale().toString(selectedDate(), QLocale::LongFormat));
}

std::optional<QDate> pickDate(const TimeSource& time, QWidget* parent)
{
    DatePicker picker(time.today(), parent);
    picker.exec();
    return picker.chosenDate();
}
