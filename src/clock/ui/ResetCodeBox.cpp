#include "clock/ui/ResetCodeBox.h"

#include "platform/MessageBoxes.h"
#include "platform/TimeSource.h"
#include "settings/Password.h"
#include "settings/ProgramState.h"
#include "store/ApplicationTable.h"
#include "store/DatabaseError.h"

#include <QKeyEvent>
#include <QMouseEvent>

ResetCodeBox::ResetCodeBox(ProgramState& state, QWidget* parent)
    : QLineEdit(parent)
    , m_state(state)
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
        ApplicationTable table(m_state.database);
        if (!Password::clearByResetCode(table, text(), m_state.time.today()))
            return;
    } catch (const DatabaseError& error) {
        m_state.messages.inform(window(), error.userMessage(), QStringLiteral("Database"),
                                MessageBoxes::Icon::Critical);
        return;
    }
    hide();
    m_state.settings.password.clear();
    Q_EMIT passwordCleared();
}
