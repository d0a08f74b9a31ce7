#include "clock/ui/ResetCodeBox.h"

#include "platform/MessageBoxes.h"
#include "platform/TimeSource.h"
#include "settings/Password.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/ApplicationTable.h"
#include "store/DatabaseError.h"

#include <QKeyEvent>
#include <QMouseEvent>

ResetCodeBox::ResetCodeBox(const Services& services, Session& session, QWidget* parent)
    : QLineEdit(parent)
    , m_services(services)
    , m_session(session)
{
    setObjectName(QStringLiteral("txtResetCode"));
    setFixedWidth(90);
    setContextMenuPolicy(Qt::NoContextMenu);
    hide();
}

void ResetCodeBox::open()
{
    clear();
    show();
    raise();
    setFocus();
}

bool ResetCodeBox::isOpeningPress(const QEvent* event)
{
    if (event->type() != QEvent::MouseButtonPress)
        return false;
    const Qt::MouseButtons both = Qt::LeftButton | Qt::RightButton;
    return (static_cast<const QMouseEvent*>(event)->buttons() & both) == both;
}

void ResetCodeBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        tryCode();
        return;
    }
    if (event->key() == Qt::Key_Backspace)
        return; // the code is typed once, without corrections
    QLineEdit::keyPressEvent(event);
}

void ResetCodeBox::tryCode()
{
    try {
        ApplicationTable table(m_services.database);
        if (!Password::clearByResetCode(table, text(), m_services.time.today()))
            return;
    } catch (const DatabaseError& error) {
        m_services.messages.inform(window(), error.userMessage(), QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
        return;
    }
    hide();
    m_session.updateSettings([](SettingsRecord& s) { s.password.clear(); });
    Q_EMIT passwordCleared();
}
