// The clock screen around the punch: activation, keypad, help, the hourly forced clock-out, the in
// and out lists, sounds and pictures.
#include "clock/ClockFace.h"
#include "clock/InOutLists.h"
#include "clock/PictureText.h"
#include "clock/StationLink.h"
#include "clock/ui/ClockWindow.h"
#include "clock/ui/KeypadWidget.h"
#include "clock/ui/PunchPanel.h"
#include "platform/Camera.h"
#include "platform/HelpTopics.h"
#include "platform/MessageBoxes.h"
#include "platform/SoundPlayer.h"
#include "platform/TimeSource.h"
#include "platform/WindowPlacement.h"
#include "platform/ui/HelpWindow.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/Database.h"
#include "store/DatabaseError.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

ClockWindow::~ClockWindow() = default;

bool ClockWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::Show)
        screenActivated();
    return QWidget::event(event);
}

void ClockWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient green(0, 0, 0, height());
    green.setColorAt(0, QColor(0, 255, 0));
    green.setColorAt(1, QColor(0, 0, 0));
    painter.fillRect(rect(), green);
}

void ClockWindow::screenActivated()
{
    if (!m_cycle.isAskingPin())
        m_prompt->setText(m_session.settings().enterId);
    m_cycle.dismissPassword();
    if (m_idBox->isVisible() && m_panel->isHidden())
        m_idBox->setFocus();
    m_exit->setToolTip(ClockFace::exitToolTip(m_session.settings().password));
}

void ClockWindow::keypadKey(int key)
{
    const ClockCycle::KeyTarget target = m_cycle.keypadTarget(key == KeypadWidget::clearKey);
    switch (target) {
    case ClockCycle::KeyTarget::Nowhere:
        return;
    case ClockCycle::KeyTarget::TipsBox:
        m_panel->focusTips();
        return;
    case ClockCycle::KeyTarget::IdBox:
    case ClockCycle::KeyTarget::PasswordBox:
        break;
    }
    if (key == KeypadWidget::clearKey) {
        m_idBox->clear();
        m_idBox->setFocus();
        return;
    }
    QLineEdit* box = target == ClockCycle::KeyTarget::IdBox ? m_idBox : m_password;
    if (key == KeypadWidget::enterKey) {
        if (box == m_idBox)
            enterId();
        else
            m_cycle.enterPassword(m_password->text());
        return;
    }
    box->setText(box->text() + KeypadWidget::caption(key)); // setText keeps the ID box's ten characters
    if (box == m_idBox)
        m_cycle.pinTyped();
}

void ClockWindow::showHelp()
{
    if (acceptsNoInput())
        return;
    if (!m_helpWindow) {
        // A window of the clock screen's own: a window manager keeps it above the screen, and it goes
        // when the screen goes.
        m_helpWindow = new HelpWindow(this);
        connect(m_helpWindow, &HelpWindow::closed, this, [this] {
            // Without a window manager nobody hands the keyboard back to the clock screen.
            activateWindow();
            if (m_panel->isHidden() && !m_cycle.isAskingPassword())
                m_idBox->setFocus();
        });
    }
    m_helpWindow->showTopic(HelpTopics::clockScreen);
    const QScreen* where = screen();
    const QRect available = where ? where->availableGeometry() : frameGeometry();
    // The frame a window manager puts around the help must fit as well: the help's own once it has
    // been shown, until then this screen's as the best guess.
    const auto decorationOf = [](const QWidget* window) {
        const QRect frame = window->frameGeometry(), inside = window->geometry();
        return QMargins(inside.left() - frame.left(), inside.top() - frame.top(),
                        frame.right() - inside.right(), frame.bottom() - inside.bottom());
    };
    const QMargins decoration = m_helpShownBefore ? decorationOf(m_helpWindow) : decorationOf(this);
    m_helpShownBefore = true;
    const QRect frame = frameGeometry();
    const QSize extra(decoration.left() + decoration.right(), decoration.top() + decoration.bottom());
    const QRect placed =
        WindowPlacement::besideOrOver(available, frame, helpKeepsClear(), m_helpWindow->sizeHint() + extra,
                                      m_helpWindow->minimumSize() + extra);
    // move() places the frame, resize() the inside: each as the window manager takes them.
    m_helpWindow->resize(placed.size() - extra);
    m_helpWindow->move(placed.topLeft());
    m_helpWindow->show();
    m_helpWindow->raise();
    m_helpWindow->activateWindow();
}

QList<QRect> ClockWindow::helpKeepsClear() const
{
    // The ID frame and the panel that stands over it must stay in sight; the keypad too when
    // there is room for that.
    const QRect frame = panelRect() | m_idFrame->geometry();
    QList<QRect> keep;
    if (!m_keypad->isHidden())
        keep.append(frame | m_keypad->geometry());
    keep.append(frame);
    for (QRect& r : keep)
        r.moveTopLeft(mapToGlobal(r.topLeft()));
    return keep;
}

void ClockWindow::runForcedClockOut()
{
    // Another station, or this one at the next hour with its server back, closes them.
    if (m_link && m_link->isOffline())
        return;
    try {
        // The screen goes on while another program writes the file; the pass tries again later.
        std::optional<LockWait> shortWait;
        if (!m_link)
            shortWait.emplace(m_services.database, std::chrono::milliseconds(200));
        if (m_forcedClockOut.run(m_session) > 0 && m_session.settings().showInOutLists)
            refreshInOutLists();
    } catch (const DatabaseError& error) {
        if (!absorbedByLink(error))
            throw;
    }
}

void ClockWindow::refreshInOutLists()
{
    // Without the server the lists keep what they last showed.
    if (m_link && m_link->isOffline())
        return;
    std::optional<InOutLists::Lists> lists;
    try {
        qint16 days = m_session.settings().screenInOutDays;
        lists = InOutLists::load(m_services.database, m_services.time.today(), days);
        if (days != m_session.settings().screenInOutDays)
            m_session.updateSettings([days](SettingsRecord& s) { s.screenInOutDays = days; });
    } catch (const DatabaseError& error) {
        if (absorbedByLink(error))
            return;
        m_services.messages.inform(this, error.userMessage(), QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
        return;
    }
    if (!lists)
        return;
    const auto fill = [](QListWidget* list, const QStringList& names) {
        const QFontMetrics metrics(list->font());
        const auto width = [&](const QString& text) {
            return metrics.horizontalAdvance(text);
        };
        list->clear();
        for (const QString& name : names)
            list->addItem(InOutLists::entryText(name, width));
    };
    fill(m_inList, lists->in);
    fill(m_outList, lists->out);
}

// Sounds and pictures only decorate a punch: whatever they do, the punch goes on.
void ClockWindow::playSound(const QString& name)
{
    if (!m_session.settings().useSound)
        return;
    try {
        m_services.sounds.play(name);
    } catch (...) {
    }
}

void ClockWindow::takePicture(const Punch& punch, qint64 recordNumber)
{
    const PictureText::Punch stamp{punch.id(), punch.employeeName(), m_cycle.pictureDay(),
                                   punch.punchTime().time(), punch.isClockOut()};
    const QString text = PictureText::text(stamp, m_session.hasEmployeeDatabase(),
                                           m_session.settings().clock12Hour, QLocale());
    try {
        m_services.camera.capture(PictureText::fileName(m_session.paths(), recordNumber), text);
    } catch (...) {
    }
}
