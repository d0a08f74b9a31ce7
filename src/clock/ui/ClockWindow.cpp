#include "clock/ui/ClockWindow.h"

#include "clock/ClockFace.h"
#include "clock/InOutLists.h"
#include "clock/StationLink.h"
#include "clock/ui/KeypadWidget.h"
#include "clock/ui/ResetCodeBox.h"
#include "platform/Camera.h"
#include "platform/MessageBoxes.h"
#include "platform/SoundPlayer.h"
#include "platform/TimeSource.h"
#include "settings/ProgramState.h"
#include "store/DatabaseError.h"

#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QValidator>

namespace {
constexpr int panelExtraHeight = 67; // the panel stands 1000 twips taller than the ID frame
// The live picture sits at the lower left: 120 twips from the left, 600 twips above the bottom.
constexpr int cameraLeft = 8;
constexpr int cameraBottom = 40;
const QSize cameraSize(176, 132);
const QString passwordCaption = QStringLiteral("Type in password... press Enter");

QString css(const Rgb& c)
{
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.r).arg(c.g).arg(c.b);
}

// Lets into the tips box only what makes an amount of money.
class TipsValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        QString accepted;
        for (const QChar c : input) {
            if (!Punch::acceptsTipsChar(accepted, c))
                return Invalid;
            accepted.append(c);
        }
        return Acceptable;
    }
};

QPixmap welcomePicture()
{
    QPixmap pixmap(56, 56);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 128, 128), 4));
    p.setBrush(QColor(255, 210, 60));
    p.drawEllipse(6, 6, 44, 44);
    p.drawLine(28, 28, 28, 14);
    p.drawLine(28, 28, 38, 32);
    return pixmap;
}
} // namespace

ClockWindow::ClockWindow(ProgramState& state, StationLink* link, QWidget* parent)
    // No close button: the screen is left through its own Exit, with the password when one is set.
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          (state.settings.allowMinimize ? Qt::WindowMinimizeButtonHint : Qt::Widget))
    , m_state(state)
    , m_link(link)
    , m_forcedClockOut(state.database, state.time)
    , m_log(state.paths.programFolder(), state.time)
    , m_waiting(state.database, state.paths.programFolder())
{
    setObjectName(QStringLiteral("ClockWindow"));
    setWindowTitle(QStringLiteral("Orvane time and attendance"));
    // A folder that exists already, or cannot be made, is no reason to stop: pictures then fail quietly.
    QDir().mkpath(m_state.paths.picturesFolder());
    buildUi();
    if (m_link) {
        m_offline->setVisible(m_link->isOffline());
        connect(m_link, &StationLink::offlineChanged, m_offline, &QLabel::setVisible);
        connect(m_link, &StationLink::offlineChanged, this, [this](bool offline) {
            if (offline || !m_staffReloadDue.isValid() || m_reloadingStaff)
                return;
            const QDate day = m_staffReloadDue;
            m_staffReloadDue = QDate();
            reloadStaffForNewDay(day);
        });
    }
    if (m_state.settings.showInOutLists)
        refreshInOutLists();
    if (m_state.settings.takePictures && m_state.settings.showLiveCam) {
        bool connected = false;
        try {
            connected = m_state.camera.connectPreview(m_cameraArea);
        } catch (...) {
        }
        m_cameraArea->setVisible(connected);
    } else if (m_state.settings.takePictures) {
        try {
            m_state.camera.prepare();
        } catch (...) {
        }
    }
    m_timer = new QTimer(this);
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &ClockWindow::tick);
    m_timer->start();
}

void ClockWindow::buildUi()
{
    const SettingsRecord& settings = m_state.settings;
    setMinimumSize(760, 560);
    resize(1000, 740);
    auto* root = new QVBoxLayout(this);

    m_time = new QLabel(this);
    m_time->setObjectName(QStringLiteral("lblTime"));
    m_time->setAlignment(Qt::AlignCenter);
    m_time->setStyleSheet(QStringLiteral("font-size: 48pt; font-weight: bold; color: white;"));
    m_date = new QLabel(this);
    m_date->setObjectName(QStringLiteral("lblDate"));
    m_date->setAlignment(Qt::AlignCenter);
    m_date->setStyleSheet(QStringLiteral("font-size: 16pt; color: white;"));
    m_date->installEventFilter(this);
    root->addWidget(m_time);
    root->addWidget(m_date);
    m_resetCode = new ResetCodeBox(m_state, this);
    root->addWidget(m_resetCode, 0, Qt::AlignHCenter);
    connect(m_resetCode, &ResetCodeBox::passwordCleared, this, &ClockWindow::endRequested);

    m_idFrame = new QFrame(this);
    m_idFrame->setObjectName(QStringLiteral("IdFrame"));
    m_idFrame->setFrameShape(QFrame::StyledPanel);
    m_idFrame->setFixedSize(360, 150);
    // The password character must be given here: Qt asks the frame's style sheet for it, not the
    // boxes' own.
    m_idFrame->setStyleSheet(
        QStringLiteral("QFrame#IdFrame { background: rgb(235,245,235); border-radius: 6px; }"
                       "QLineEdit { lineedit-password-character: 42; }"));
    auto* idLayout = new QVBoxLayout(m_idFrame);
    m_prompt = new QLabel(settings.enterId, m_idFrame);
    m_prompt->setObjectName(QStringLiteral("lblPrompt"));
    m_prompt->setStyleSheet(QStringLiteral("font-size: 16pt;"));
    m_idBox = new QLineEdit(m_idFrame);
    m_idBox->setObjectName(QStringLiteral("Text1"));
    m_idBox->setMaxLength(10);
    m_idBox->setEchoMode(QLineEdit::Password);
    m_idBox->setStyleSheet(QStringLiteral("QLineEdit { font-size: 20pt; background: white; }"
                                          "QLineEdit:focus { background: rgb(255,255,0); }"));
    m_idBox->installEventFilter(this);
    m_message = new QLabel(m_idFrame);
    m_message->setObjectName(QStringLiteral("Label4"));
    m_message->setStyleSheet(QStringLiteral("color: rgb(192,0,0); font-size: 12pt;"));
    m_passwordCaption = new QLabel(passwordCaption, m_idFrame);
    m_passwordCaption->setObjectName(QStringLiteral("lblPassword"));
    m_password = new QLineEdit(m_idFrame);
    m_password->setObjectName(QStringLiteral("txtPassword"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->installEventFilter(this);
    auto* passwordRow = new QHBoxLayout;
    passwordRow->addWidget(m_passwordCaption);
    passwordRow->addWidget(m_password, 1);
    idLayout->addWidget(m_prompt);
    idLayout->addWidget(m_idBox);
    idLayout->addWidget(m_message);
    idLayout->addLayout(passwordRow);
    m_passwordCaption->hide();
    m_password->hide();

    // The ID frame with the keypad under it, the lists beside it.
    auto* idColumn = new QVBoxLayout;
    idColumn->addWidget(m_idFrame, 0, Qt::AlignHCenter);
    m_keypad = new KeypadWidget(this);
    m_keypad->setVisible(settings.showKeyboard);
    connect(m_keypad, &KeypadWidget::keyPressed, this, &ClockWindow::keypadKey);
    // The panel reaches below the ID frame; the keypad starts under it, so no key is hidden while
    // tips are typed.
    if (settings.showKeyboard)
        idColumn->addSpacing(panelExtraHeight + 6);
    idColumn->addWidget(m_keypad, 0, Qt::AlignHCenter);
    idColumn->addStretch(1);
    auto* middle = new QHBoxLayout;
    middle->addStretch(1);
    middle->addLayout(idColumn);
    middle->addSpacing(24);
    middle->addLayout(buildInOutLists());
    middle->addStretch(1);
    root->addStretch(1);
    root->addLayout(middle, 6);
    root->addStretch(1);

    auto* buttons = new QHBoxLayout;
    m_minimize = new QPushButton(QStringLiteral("Minimize this window"), this);
    m_minimize->setObjectName(QStringLiteral("cmdMinimize"));
    m_minimize->setFocusPolicy(Qt::NoFocus);
    m_minimize->setVisible(settings.allowMinimize);
    m_help = new QPushButton(QStringLiteral("&Help"), this);
    m_help->setObjectName(QStringLiteral("cmdHelp"));
    m_help->setFocusPolicy(Qt::NoFocus);
    m_exit = new QPushButton(QStringLiteral("&Exit"), this);
    m_exit->setObjectName(QStringLiteral("cmdExitClock"));
    m_exit->setFocusPolicy(Qt::NoFocus);
    buttons->addSpacing(cameraLeft + cameraSize.width());
    buttons->addStretch(1);
    buttons->addWidget(m_minimize);
    buttons->addWidget(m_help);
    buttons->addWidget(m_exit);
    root->addLayout(buttons);
    connect(m_exit, &QPushButton::clicked, this, &ClockWindow::askPassword);
    connect(m_minimize, &QPushButton::clicked, this, [this] {
        if (!acceptsNoInput())
            showMinimized();
    });
    connect(m_help, &QPushButton::clicked, this, &ClockWindow::showHelp);

    m_cameraArea = new QWidget(this);
    m_cameraArea->setObjectName(QStringLiteral("camPreview"));
    m_cameraArea->setFixedSize(cameraSize);
    m_cameraArea->setStyleSheet(QStringLiteral("background: black;"));
    m_cameraArea->hide();

    // Small and out of the way: the station still takes punches, the mark only says they wait.
    m_offline = new QLabel(QStringLiteral("offline"), this);
    m_offline->setObjectName(QStringLiteral("lblOffline"));
    m_offline->setToolTip(QStringLiteral("The clock database cannot be reached; punches are kept here "
                                         "and sent when it answers again."));
    m_offline->setStyleSheet(QStringLiteral("background: rgb(192,0,0); color: white; font-size: 10pt; "
                                            "font-weight: bold; padding: 2px 8px; border-radius: 4px;"));
    m_offline->adjustSize();
    m_offline->move(8, 8);
    m_offline->hide();

    m_elapsed = new QLabel(this);
    m_elapsed->setObjectName(QStringLiteral("lblElapsed"));
    m_elapsed->setAlignment(Qt::AlignCenter);
    m_elapsed->setStyleSheet(QStringLiteral("background: white; color: rgb(0,128,128); font-size: 40pt;"
                                            "border: 2px solid rgb(0,128,128);"));
    m_elapsed->hide();

    m_panel = new QFrame(this);
    m_panel->setObjectName(QStringLiteral("pnlFin"));
    m_panel->setFrameShape(QFrame::Box);
    auto* panelLayout = new QGridLayout(m_panel);
    for (int i = 0; i < 4; ++i) {
        m_lines[i] = new QLabel(m_panel);
        m_lines[i]->setObjectName(QStringLiteral("pnlLine%1").arg(i));
        m_lines[i]->setAlignment(Qt::AlignCenter);
        m_lines[i]->setWordWrap(true);
        panelLayout->addWidget(m_lines[i], i, 0, 1, 2);
    }
    m_picture = new QLabel(m_panel);
    m_picture->setObjectName(QStringLiteral("pnlPicture"));
    m_picture->setPixmap(welcomePicture());
    panelLayout->addWidget(m_picture, 0, 2, 2, 1);
    m_tipsCaption = new QLabel(QStringLiteral("Type in tips and press Enter"), m_panel);
    m_tipsCaption->setObjectName(QStringLiteral("lblTips"));
    m_tips = new QLineEdit(m_panel);
    m_tips->setObjectName(QStringLiteral("txtTips"));
    m_tips->setMaxLength(12);
    m_tips->setValidator(new TipsValidator(m_tips));
    m_tips->setContextMenuPolicy(Qt::NoContextMenu);
    m_panelExit = new QPushButton(QStringLiteral("&Exit"), m_panel);
    m_panelExit->setObjectName(QStringLiteral("cmdExit"));
    panelLayout->addWidget(m_tipsCaption, 4, 0);
    panelLayout->addWidget(m_tips, 4, 1);
    panelLayout->addWidget(m_panelExit, 4, 2);
    connect(m_tips, &QLineEdit::returnPressed, this, &ClockWindow::enterTips);
    connect(m_panelExit, &QPushButton::clicked, this, &ClockWindow::cancelTips);
    m_panel->hide();
    m_tipsCaption->hide();
    m_tips->hide();
    m_panelExit->hide();
}

QLayout* ClockWindow::buildInOutLists()
{
    auto* column = new QVBoxLayout;
    m_inOutLabel = new QLabel(QStringLiteral("Who is in and who is out"), this);
    m_inOutLabel->setObjectName(QStringLiteral("InOutLabel"));
    m_inOutLabel->setToolTip(QStringLiteral("Click to bring the lists up to date"));
    m_inOutLabel->setCursor(Qt::PointingHandCursor);
    m_inOutLabel->setStyleSheet(QStringLiteral("color: white; font-size: 12pt; font-weight: bold;"));
    m_inOutLabel->installEventFilter(this);
    column->addWidget(m_inOutLabel);
    auto* lists = new QHBoxLayout;
    const auto makeList = [&](const char* name, const QString& title) {
        auto* box = new QVBoxLayout;
        auto* caption = new QLabel(title, this);
        caption->setStyleSheet(QStringLiteral("color: white; font-size: 11pt;"));
        auto* list = new QListWidget(this);
        list->setObjectName(QString::fromLatin1(name));
        list->setFocusPolicy(Qt::NoFocus);
        list->setSelectionMode(QAbstractItemView::NoSelection);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setTextElideMode(Qt::ElideNone); // entries are cut to the column already
        list->setFixedWidth(InOutLists::maximumEntryWidth + 40);
        box->addWidget(caption);
        box->addWidget(list, 1);
        lists->addLayout(box);
        caption->setVisible(m_state.settings.showInOutLists);
        return list;
    };
    m_inList = makeList("lstIN", QStringLiteral("In"));
    m_outList = makeList("lstOUT", QStringLiteral("Out"));
    column->addLayout(lists, 1);
    m_inOutLabel->setVisible(m_state.settings.showInOutLists);
    m_inList->setVisible(m_state.settings.showInOutLists);
    m_outList->setVisible(m_state.settings.showInOutLists);
    return column;
}

bool ClockWindow::acceptsNoInput() const
{
    return isBusy() && !m_awaitingTips;
}

bool ClockWindow::isBusy() const
{
    return (m_panel && !m_panel->isHidden()) ||
           (m_pauseUntil.isValid() && m_state.time.preciseNow() < m_pauseUntil) || m_reloadingStaff ||
           m_storing.has_value();
}

bool ClockWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_idBox && event->type() == QEvent::KeyPress) {
        if (isBusy())
            return true; // a punch on display accepts no input
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            enterId();
            return true;
        }
    } else if (watched == m_idBox && event->type() == QEvent::FocusIn) {
        hidePassword();
    } else if (watched == m_password && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            enterPassword();
            return true;
        }
    } else if (acceptsNoInput() && (watched == m_date || watched == m_inOutLabel) &&
               (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease)) {
        return true;
    } else if (watched == m_date && ResetCodeBox::isOpeningPress(event)) {
        m_resetCode->open();
        return true;
    } else if (watched == m_inOutLabel && event->type() == QEvent::MouseButtonRelease) {
        refreshInOutLists();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ClockWindow::enterId()
{
    const QString typed = m_idBox->text();
    m_idBox->clear();
    try {
        const Punch punch = Punch::begin(m_state, typed, m_link, m_link ? nullptr : &m_waiting);
        switch (punch.stage()) {
        case Punch::Stage::Ignored:
            return;
        case Punch::Stage::NotFound:
            m_message->setText(punch.notFoundMessage());
            playSound(punch.soundName());
            m_pauseUntil = m_state.time.preciseNow().addSecs(1);
            return;
        case Punch::Stage::Shown:
            break;
        }
        m_message->clear();
        showPanel(punch);
        // Counted from the moment the panel is up, not from the whole second the clock shows.
        const QDateTime deadline = m_state.time.preciseNow().addSecs(punch.displaySeconds());
        if (punch.asksForTips()) {
            m_awaitingTips = punch;
            m_tips->setFocus();
            return;
        }
        playSound(punch.soundName());
        if (!punch.isRejected())
            writeRecord(punch, QString());
        m_panelUntil = !m_elapsed->isHidden() ? std::max(deadline, m_elapsedUntil) : deadline;
        tick();
    } catch (const DatabaseError& error) {
        reportDatabaseError(error.userMessage());
    }
}

void ClockWindow::enterTips()
{
    if (!m_awaitingTips)
        return;
    const Punch punch = *m_awaitingTips;
    m_awaitingTips.reset();
    m_tips->hide();
    m_tipsCaption->hide();
    m_panelExit->hide();
    try {
        // The hourly pass that fell due meanwhile comes first, as it would have without the tips.
        if (m_forcedPending)
            runForcedClockOut();
        playSound(punch.soundName());
        writeRecord(punch, m_tips->text());
    } catch (const DatabaseError& error) {
        reportDatabaseError(error.userMessage());
        return;
    }
    m_panelUntil = !m_elapsed->isHidden() ? m_elapsedUntil : m_state.time.preciseNow();
    tick();
}

void ClockWindow::cancelTips()
{
    m_awaitingTips.reset();
    hidePanel();
}

void ClockWindow::showPanel(const Punch& punch)
{
    const PanelLook& look = punch.look();
    const QString background = css(look.background);
    m_panel->setStyleSheet(
        QStringLiteral("QFrame#pnlFin { background: %1; border: 2px solid rgb(0,96,0); }").arg(background));
    const auto paint = [&](QLabel* line, const Rgb& colour, int points) {
        line->setStyleSheet(QStringLiteral("color: %1; background: %2; font-size: %3pt;")
                                .arg(css(colour), background)
                                .arg(points));
    };
    paint(m_lines[0], look.line0, 16);
    if (look.line2) {
        paint(m_lines[2], *look.line2, 18);
    } else {
        // Only the background follows the outcome; the text keeps the colour it had.
        QString sheet = m_lines[2]->styleSheet();
        const qsizetype at = sheet.indexOf(QStringLiteral("background:"));
        if (at >= 0)
            sheet = sheet.left(at);
        m_lines[2]->setStyleSheet(sheet + QStringLiteral("background: %1; font-size: 18pt;").arg(background));
    }
    paint(m_lines[3], look.line3, 14);
    m_lines[0]->setText(punch.employeeName());
    m_lines[1]->hide();
    m_lines[2]->setText(look.line2Text);
    m_lines[3]->setText(look.line3Text);
    m_picture->setVisible(look.pictureVisible);
    const bool tips = punch.asksForTips();
    m_tipsCaption->setVisible(tips);
    m_tips->setVisible(tips);
    m_panelExit->setVisible(tips);
    m_tips->clear();
    placePanel();
    m_panel->show();
    m_panel->raise();
    m_panel->repaint();
}

void ClockWindow::hidePanel()
{
    m_panel->hide();
    m_tips->hide();
    m_tipsCaption->hide();
    m_panelExit->hide();
    m_panelUntil = QDateTime();
    m_idBox->setFocus();
}

void ClockWindow::writeRecord(const Punch& punch, const QString& tips)
{
    std::optional<qint64> recordNumber;
    if (m_link) {
        recordNumber = punch.record(m_state, tips, m_link);
    } else {
        const ClockRecord record = punch.recordAt(m_state, tips, m_state.time.now());
        recordNumber = storeOnFile(record);
        if (!recordNumber)
            startStoring(punch, record);
    }
    m_tips->clear();
    if (punch.isClockOut() && m_state.settings.showElapsedTime && punch.lastInTime()) {
        m_elapsed->setText(Punch::elapsedText(*punch.lastInTime(), m_state.time.now()));
        m_elapsed->setGeometry(m_time->geometry().adjusted(40, 0, -40, 0));
        m_elapsed->show();
        m_elapsed->raise();
        m_elapsedUntil = m_state.time.preciseNow().addSecs(2);
    }
    if (recordNumber)
        afterRecordWritten(punch, *recordNumber);
}

void ClockWindow::afterRecordWritten(const Punch& punch, qint64 recordNumber)
{
    // A picture is named by its record number; a queued punch has none yet.
    if (m_state.settings.takePictures && recordNumber > 0)
        takePicture(punch, recordNumber);
    if (m_state.settings.showInOutLists)
        refreshInOutLists();
}

void ClockWindow::tick()
{
    const QDateTime now = m_state.time.now();
    const QDate today = now.date();
    if (today != m_dateSeen) {
        m_pictureDay = today;
        if (m_state.useSchedulingLink && !m_state.useLocalStaff)
            reloadStaffForNewDay(today);
    }
    m_time->setText(ClockFace::timeText(now.time(), m_state.settings.clock12Hour, QLocale()));
    m_date->setText(ClockFace::dateText(today, QLocale()));
    m_dateSeen = today;
    if (m_forcedTrigger.due(now))
        m_forcedPending = true;
    if (m_forcedRetryAt.isValid() && now >= m_forcedRetryAt) {
        m_forcedRetryAt = QDateTime();
        m_forcedPending = true;
    }
    // Never between the panel of a punch and its record: the record is what the panel showed.
    if (m_forcedPending && !m_awaitingTips && !m_storing)
        runForcedClockOut();
    if (!m_firstTickDone) {
        m_firstTickDone = true;
        if (isVisible() && m_idBox->isVisible()) {
            // Without a window manager the screen is never made active, and the box would take keys
            // without showing its focus colour.
            if (!isActiveWindow())
                activateWindow();
            m_idBox->setFocus();
        }
    }
    storeWaitingPunches();
    const QDateTime precise = m_state.time.preciseNow();
    if (!m_elapsed->isHidden() && precise >= m_elapsedUntil)
        m_elapsed->hide();
    if (!m_panel->isHidden() && !m_awaitingTips && !m_storing && m_panelUntil.isValid() &&
        precise >= m_panelUntil)
        hidePanel();
}

QRect ClockWindow::panelRect() const
{
    return m_idFrame->geometry().adjusted(0, 0, 0, panelExtraHeight);
}

void ClockWindow::placePanel()
{
    m_panel->setGeometry(panelRect());
}

void ClockWindow::placeCamera()
{
    m_cameraArea->move(cameraLeft, height() - cameraBottom - m_cameraArea->height());
}

void ClockWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placePanel();
    placeCamera();
}

void ClockWindow::reportDatabaseError(const QString& message)
{
    m_awaitingTips.reset();
    hidePanel();
    m_state.messages.inform(this, message, QStringLiteral("Database"), MessageBoxes::Icon::Critical);
}

bool ClockWindow::absorbedByLink(const DatabaseError& error)
{
    return m_link && m_link->absorb(error);
}

void ClockWindow::closeEvent(QCloseEvent* event)
{
    if (!m_leaving) {
        event->ignore();
        return;
    }
    m_timer->stop();
    try {
        m_state.camera.release();
    } catch (...) {
    }
    event->accept();
    Q_EMIT closed();
}

void ClockWindow::leave()
{
    m_leaving = true;
    close();
}
