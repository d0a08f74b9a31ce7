#include "settings/ui/PasswordPage.h"

#include "platform/MessageBoxes.h"
#include "settings/Password.h"
#include "settings/Services.h"
#include "settings/Session.h"

#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString pageHelp =
    QStringLiteral("With a password the program asks for it when it starts, and the Clock "
                   "screen can only be left with it. Passwords are not case-sensitive. "
                   "Save an empty password to remove it.");
} // namespace

PasswordPage::PasswordPage(const Services& services, Session& session, QWidget* parent)
    : OptionsPage(parent)
    , m_services(services)
    , m_session(session)
    , m_change(services, session)
{
    setProperty("helpText", pageHelp);
    auto* layout = new QVBoxLayout(this);
    m_heading = new QLabel(m_change.heading(), this);
    m_heading->setObjectName(QStringLiteral("lblPasswordHeading"));
    QFont bold = m_heading->font();
    bold.setBold(true);
    m_heading->setFont(bold);
    layout->addWidget(m_heading);

    const auto box = [this](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setEchoMode(QLineEdit::Password);
        edit->setFixedWidth(180);
        edit->setContextMenuPolicy(Qt::NoContextMenu); // every character goes through the key filter
        edit->setProperty("helpText", pageHelp);
        edit->installEventFilter(this);
        return edit;
    };
    m_password = box("txtNewPassword");
    auto* row = new QHBoxLayout;
    row->addWidget(m_password);
    m_save = new QPushButton(QStringLiteral("Save Password"), this);
    m_save->setObjectName(QStringLiteral("cmdSavePassword"));
    m_save->setAutoDefault(false);
    row->addWidget(m_save);
    row->addStretch(1);
    layout->addLayout(row);
    connect(m_save, &QPushButton::clicked, this, &PasswordPage::save);

    m_confirmCaption = new QLabel(QStringLiteral("Confirm Password"), this);
    m_confirmCaption->setObjectName(QStringLiteral("lblConfirm"));
    m_confirm = box("txtConfirmPassword");
    layout->addWidget(m_confirmCaption);
    layout->addWidget(m_confirm);
    m_confirmCaption->hide();
    m_confirm->hide();

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("lblPasswordStatus"));
    m_status->setStyleSheet(QStringLiteral("color: rgb(0,0,160); font-weight: bold;"));
    layout->addWidget(m_status);

    auto* rules = new QLabel(QStringLiteral("Type in the Password (from 5 to 12 characters)."), this);
    auto* warning =
        new QLabel(QStringLiteral(" To start the program and to exit the clock screen you must       "
                                  "enter this password.  Do not forget or loose the password.   "),
                   this);
    warning->setWordWrap(true);
    for (QLabel* label : {rules, warning}) {
        label->setProperty("helpText", pageHelp);
        layout->addWidget(label);
    }
    layout->addStretch(1);
}

bool PasswordPage::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box && (box == m_password || box == m_confirm)) {
        if (event->type() == QEvent::KeyPress)
            return filterKey(box, static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusOut) {
            // Only a move to another control of the dialog counts as leaving the box.
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                leaveBox(box);
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool PasswordPage::filterKey(QLineEdit* box, QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        save();
        return true;
    }
    if (event->key() == Qt::Key_Backspace || event->text().isEmpty() || event->key() == Qt::Key_Tab ||
        event->key() == Qt::Key_Backtab)
        return false;
    const Password::KeyDecision decision = Password::filterKey(event->text().at(0));
    if (decision.action == Password::KeyAction::Refuse)
        m_services.messages.beep();
    else
        box->insert(QString(decision.character));
    return true;
}

void PasswordPage::leaveBox(QLineEdit* box)
{
    if (m_change.leaveBox(box->text(), this))
        return;
    box->clear();
    box->setFocus();
}

void PasswordPage::save()
{
    m_status->clear();
    switch (m_change.save(m_password->text(), m_confirm->text(), this)) {
    case PasswordChange::Step::Nothing:
        break;
    case PasswordChange::Step::Removed:
        closeConfirmation();
        m_status->setText(PasswordChange::removedText);
        break;
    case PasswordChange::Step::ConfirmationAsked:
        m_confirm->clear();
        m_confirmCaption->show();
        m_confirm->show();
        m_confirm->setFocus();
        break;
    case PasswordChange::Step::Mismatch:
        closeConfirmation();
        m_password->setFocus();
        break;
    case PasswordChange::Step::Saved:
        closeConfirmation();
        m_status->setText(PasswordChange::savedText);
        break;
    }
    m_heading->setText(m_change.heading());
}

void PasswordPage::closeConfirmation()
{
    m_password->clear();
    m_confirm->clear();
    m_confirm->hide();
    m_confirmCaption->hide();
}
