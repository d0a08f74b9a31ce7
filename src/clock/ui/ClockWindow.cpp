#include "clock/ui/ClockWindow.h"

#include "clock/ClockFace.h"
#include "clock/InOutLists.h"
#include "clock/StationLink.h"
#include "clock/ui/KeypadWidget.h"
#include "clock/ui/PunchPanel.h"
#include "clock/ui/ResetCodeBox.h"
#include "platform/Camera.h"
#include "platform/MessageBoxes.h"
#include "platform/SoundPlayer.h"
#include "platform/TimeSource.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"

#include <QCloseEvent>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int panelExtraHeight = 67; // the panel stands 1000 twips taller than the ID frame
// The live picture sits at the lower left: 120 twips from the left, 600 twips above the bottom.
constexpr int cameraLeft = 8;
constexpr int cameraBottom = 40;
const QSize cameraSize(176, 132);
const QString passwordCaption = QStringLiteral("Type in password... press Enter");
} // namespace

ClockWindow::ClockWindow(const Services& services, Session& session, StationLink* link, QWidget* parent)
    // No close button: the screen is left through its own Exit, with the password when one is set.
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          (session.settings().allowMinimize ? Qt::WindowMinimizeButtonHint : Qt::Widget))
    , m_services(services)
    , m_session(session)
    , m_link(link)
    , m_forcedClockOut(services.database, services.time)
    , m_log(session.paths().programFolder(), services.time)
    , m_waiting(services.database, session.paths().programFolder())
    , m_cycle(services.time, *this,
              {session.settings().showElapsedTime, session.hasEmployeeDatabase() && !session.usesLocalStaff(),
               session.settings().password, session.settings().askPin})
{
    setObjectName(QStringLiteral("ClockWindow"));
    setWindowTitle(QStringLiteral("Orvane time and attendance"));
    // A folder that exists already, or cannot be made, is no reason to stop: pictures then fail quietly.
    QDir().mkpath(m_session.paths().picturesFolder());
    buildUi();
    if (m_link) {
        m_offline->setVisible(m_link->isOffline());
        connect(m_link, &StationLink::offlineChanged, m_offline, &QLabel::setVisible);
        connect(m_link, &StationLink::offlineChanged, this, [this](bool offline) {
            if (!offline)
                m_cycle.serverBack();
        });
    }
    if (m_session.settings().showInOutLists)
        refreshInOutLists();
    if (m_session.settings().takePictures && m_session.settings().showLiveCam) {
        bool connected = false;
        try {
            connected = m_services.camera.connectPreview(m_cameraArea);
        } catch (...) {
        }
        m_cameraArea->setVisible(connected);
    } else if (m_session.settings().takePictures) {
        try {
            m_services.camera.prepare();
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
    const SettingsRecord& settings = m_session.settings();
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
    m_resetCode = new ResetCodeBox(m_services, m_session, this);
    root->addWidget(m_resetCode, 0, Qt::AlignHCenter);
    connect(m_resetCode, &ResetCodeBox::passwordCleared, this, &ClockWindow::endRequested);

    // The ID frame with the keypad under it, the lists beside it.
    QVBoxLayout* idColumn = buildIdFrame();
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
    auto* minimize = new QPushButton(QStringLiteral("Minimize this window"), this);
    minimize->setObjectName(QStringLiteral("cmdMinimize"));
    minimize->setFocusPolicy(Qt::NoFocus);
    minimize->setVisible(settings.allowMinimize);
    auto* help = new QPushButton(QStringLiteral("&Help"), this);
    help->setObjectName(QStringLiteral("cmdHelp"));
    help->setFocusPolicy(Qt::NoFocus);
    m_exit = new QPushButton(QStringLiteral("&Exit"), this);
    m_exit->setObjectName(QStringLiteral("cmdExitClock"));
    m_exit->setFocusPolicy(Qt::NoFocus);
    buttons->addSpacing(cameraLeft + cameraSize.width());
    buttons->addStretch(1);
    buttons->addWidget(minimize);
    buttons->addWidget(help);
    buttons->addWidget(m_exit);
    root->addLayout(buttons);
    connect(m_exit, &QPushButton::clicked, this, [this] { m_cycle.askToLeave(); });
    connect(minimize, &QPushButton::clicked, this, [this] {
        if (!acceptsNoInput())
            showMinimized();
    });
    connect(help, &QPushButton::clicked, this, &ClockWindow::showHelp);

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

    m_panel = new PunchPanel(this);
    connect(m_panel, &PunchPanel::tipsEntered, this, [this] { m_cycle.enterTips(m_panel->tips()); });
    connect(m_panel, &PunchPanel::cancelled, this, [this] { m_cycle.cancelTips(); });
}

QVBoxLayout* ClockWindow::buildIdFrame()
{
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
    m_prompt = new QLabel(m_session.settings().enterId, m_idFrame);
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
    auto* idColumn = new QVBoxLayout;
    idColumn->addWidget(m_idFrame, 0, Qt::AlignHCenter);
    return idColumn;
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
        caption->setVisible(m_session.settings().showInOutLists);
        return list;
    };
    m_inList = makeList("lstIN", QStringLiteral("In"));
    m_outList = makeList("lstOUT", QStringLiteral("Out"));
    column->addLayout(lists, 1);
    m_inOutLabel->setVisible(m_session.settings().showInOutLists);
    m_inList->setVisible(m_session.settings().showInOutLists);
    m_outList->setVisible(m_session.settings().showInOutLists);
    return column;
}

void ClockWindow::tick()
{
    takeReading();
    m_cycle.tick();
}

void ClockWindow::setWeekHours(std::function<QString(const QString& employeeId)> weekHours)
{
    m_weekHours = std::move(weekHours);
}

bool ClockWindow::isBusy() const
{
    return m_cycle.isBusy();
}

bool ClockWindow::acceptsNoInput() const
{
    return m_cycle.acceptsNoInput();
}

bool ClockWindow::isReloadingStaff() const
{
    return m_cycle.isReadingStaff();
}

bool ClockWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_idBox && event->type() == QEvent::KeyPress) {
        if (noteKey(*static_cast<QKeyEvent*>(event)))
            return true;
        if (isBusy())
            return true; // a punch on display accepts no input
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            enterId();
            return true;
        }
        if (m_cycle.isAskingPin() && pinKey(static_cast<QKeyEvent*>(event)))
            return true;
    } else if (watched == m_idBox && event->type() == QEvent::FocusIn) {
        m_cycle.dismissPassword();
    } else if (watched == m_password && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_cycle.enterPassword(m_password->text());
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

bool ClockWindow::noteKey(const QKeyEvent& event)
{
    const QDateTime at = m_services.time.preciseNow();
    // Readers end a reading with Enter, or with a line feed or carriage return of their own.
    const QString text = event.text();
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter || text == QLatin1String("\n") ||
        text == QLatin1String("\r")) {
        if (!m_burst.enter(at, isBusy()))
            return false;
        // The reader may not be done: the reading is taken once a gap passes without a key.
        QTimer::singleShot(KeyBurst::gapMs + 5, this, &ClockWindow::takeReading);
        return true;
    }
    if (!text.isEmpty() && text.at(0).isPrint())
        m_burst.key(text, at, isBusy());
    return false;
}

void ClockWindow::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (noteKey(*event) || (!text.isEmpty() && text.at(0).isPrint()))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void ClockWindow::takeReading()
{
    const std::optional<QString> read = m_burst.reading(m_services.time.preciseNow());
    if (!read)
        return;
    // The box may hold the reader's first keys, and what someone had typed before the card came.
    m_idBox->clear();
    m_cycle.enterCard(*read);
}

void ClockWindow::enterId()
{
    const QString typed = m_idBox->text();
    m_idBox->clear();
    m_cycle.enterId(typed);
}

void ClockWindow::showTime(const QDateTime& now)
{
    m_time->setText(ClockFace::timeText(now.time(), m_session.settings().clock12Hour, QLocale()));
    m_date->setText(ClockFace::dateText(now.date(), QLocale()));
}

void ClockWindow::takeKeyboard()
{
    if (isVisible() && m_idBox->isVisible()) {
        // Without a window manager the screen is never made active, and the box would take keys
        // without showing its focus colour.
        if (!isActiveWindow())
            activateWindow();
        m_idBox->setFocus();
    }
}

void ClockWindow::showNotFound(const Punch& punch)
{
    m_message->setText(punch.notFoundMessage());
}

void ClockWindow::showPanel(const Punch& punch)
{
    m_message->clear();
    placePanel();
    m_panel->present(punch);
    if (punch.asksForTips())
        m_panel->focusTips();
}

void ClockWindow::hideTips()
{
    m_panel->hideTips();
}

void ClockWindow::hidePanel()
{
    m_panel->dismiss();
    m_idBox->setFocus();
}

void ClockWindow::showElapsed(const QString& text)
{
    m_elapsed->setText(text);
    m_elapsed->setGeometry(m_time->geometry().adjusted(40, 0, -40, 0));
    m_elapsed->show();
    m_elapsed->raise();
}

void ClockWindow::hideElapsed()
{
    m_elapsed->hide();
}

void ClockWindow::showPassword(bool shown)
{
    if (shown)
        m_message->clear();
    m_password->clear();
    m_passwordCaption->setVisible(shown);
    m_password->setVisible(shown);
    if (shown)
        m_password->setFocus();
}

void ClockWindow::focusIdBox()
{
    m_idBox->setFocus();
}

void ClockWindow::showError(const QString& message)
{
    m_services.messages.inform(this, message, QStringLiteral("Database"), MessageBoxes::Icon::Critical);
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
        m_services.camera.release();
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
