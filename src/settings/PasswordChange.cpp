#include "settings/PasswordChange.h"

#include "platform/MessageBoxes.h"
#include "settings/Password.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/ApplicationTable.h"
#include "store/DatabaseError.h"

#include <QStringList>
#include <utility>

const QString PasswordChange::removedText = QStringLiteral("Password has been removed");
const QString PasswordChange::savedText = QStringLiteral("Password has been saved.");

PasswordChange::PasswordChange(const Services& services, Session& session)
    : m_services(services)
    , m_session(session)
{}

QString PasswordChange::heading() const
{
    return m_session.settings().password.isEmpty()
               ? QStringLiteral("Enter the Password that you want to use ")
               : QStringLiteral("Enter a new Password if you want to change your password ");
}

bool PasswordChange::leaveBox(const QString& text, QWidget* parent)
{
    if (Password::lengthAcceptable(text))
        return true;
    refuseLength(parent);
    return false;
}

void PasswordChange::refuseLength(QWidget* parent)
{
    m_services.messages.beep();
    m_services.messages.inform(parent, Password::lengthText, Password::lengthTitle,
                               MessageBoxes::Icon::Critical);
}

bool PasswordChange::store(const QString& entry, QWidget* parent)
{
    try {
        ApplicationTable table(m_services.database);
        if (entry.isEmpty())
            Password::remove(table);
        else
            m_session.updateSettings([&](SettingsRecord& s) { s.password = Password::save(table, entry); });
    } catch (const DatabaseError& error) {
        m_services.messages.inform(parent, error.userMessage(), QStringLiteral("Database"),
                                   MessageBoxes::Icon::Critical);
        return false;
    }
    return true;
}

PasswordChange::Step PasswordChange::save(const QString& entry, const QString& confirmation, QWidget* parent)
{
    const QString typed = entry.trimmed();
    if (typed.isEmpty()) {
        m_confirming = false;
        m_services.messages.beep();
        const QStringList question{
            QStringLiteral("The proposed Password is blank."), QStringLiteral("If no Password is entered,"),
            QStringLiteral("no Password protection will exist!"), QString(), QStringLiteral("Are you sure?")};
        if (m_services.messages.askYesNo(parent, question.join(QLatin1Char('\n')),
                                         QStringLiteral("Password entry"),
                                         MessageBoxes::Icon::Critical) != MessageBoxes::Answer::Yes)
            return Step::Nothing;
        if (!store(QString(), parent))
            return Step::Nothing;
        m_session.updateSettings([](SettingsRecord& s) { s.password.clear(); });
        return Step::Removed;
    }
    if (!m_confirming) {
        // Whatever slipped past the boxes (a click straight from a short entry) is still refused.
        if (!Password::validNew(typed)) {
            refuseLength(parent);
            return Step::Nothing;
        }
        m_remembered = typed;
        m_confirming = true;
        m_services.messages.beep();
        return Step::ConfirmationAsked;
    }
    m_confirming = false;
    if (confirmation.trimmed() != m_remembered) {
        m_services.messages.beep();
        m_services.messages.inform(parent, QStringLiteral("Password confirmation failed, try again..."),
                                   QStringLiteral("Verify not correct"), MessageBoxes::Icon::Critical);
        return Step::Mismatch;
    }
    const QString entered = std::exchange(m_remembered, QString());
    if (!store(entered, parent))
        return Step::Nothing;
    return Step::Saved;
}
