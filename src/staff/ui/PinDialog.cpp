#include "staff/ui/PinDialog.h"

#include "platform/MessageBoxes.h"
#include "platform/TimeSource.h"
#include "platform/ui/PlainButton.h"
#include "settings/Services.h"
#include "store/DatabaseError.h"
#include "store/PinTable.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

PinDialog::PinDialog(const Services& services, const QString& employeeId, const QString& employeeName,
                     QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_id(employeeId)
{
    setWindowTitle(QStringLiteral("PIN of %1").arg(employeeName.trimmed()));
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("lblPinState"));
    m_state->setWordWrap(true);
    m_state->setMinimumWidth(320);
    m_clear = plainButton(QStringLiteral("&Clear PIN"), "cmdClearPin");
    m_clear->setToolTip(QStringLiteral("The employee chooses a new PIN at the next punch"));
    m_unlock = plainButton(QStringLiteral("&Unlock"), "cmdUnlockPin");
    m_unlock->setToolTip(QStringLiteral("Ends the lock and the count of wrong PINs"));
    QPushButton* close = plainButton(QStringLiteral("Close"), "cmdClose");
    connect(m_clear, &QPushButton::clicked, this, &PinDialog::clearPin);
    connect(m_unlock, &QPushButton::clicked, this, &PinDialog::unlock);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_clear);
    buttons->addWidget(m_unlock);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_state);
    layout->addLayout(buttons);
    refresh();
}

void PinDialog::refresh()
{
    PinRow row;
    try {
        row = PinTable(m_services.database).of(m_id);
    } catch (const DatabaseError& error) {
        m_state->setText(error.userMessage());
        m_clear->setEnabled(false);
        m_unlock->setEnabled(false);
        return;
    }
    const QDateTime now = m_services.time.now();
    QString text = row.hash.isEmpty() ? QStringLiteral("No PIN yet: one is chosen at the next punch.")
                                      : QStringLiteral("A PIN is set.");
    if (row.isLockedAt(now))
        text += QStringLiteral(" Locked after too many wrong PINs until %1.")
                    .arg(row.lockedUntil.time().toString(QStringLiteral("HH:mm")));
    else if (row.wrongTries > 0)
        text += row.wrongTries == 1
                    ? QStringLiteral(" 1 wrong PIN since the last right one.")
                    : QStringLiteral(" %1 wrong PINs since the last right one.").arg(row.wrongTries);
    m_state->setText(text);
    m_clear->setEnabled(!row.hash.isEmpty());
    m_unlock->setEnabled(row.wrongTries > 0 || row.isLockedAt(now));
}

void PinDialog::clearPin()
{
    try {
        PinTable(m_services.database).clear(m_id, {m_services.time.now(), EditHistory::workstationUser()});
    } catch (const DatabaseError& error) {
        m_services.messages.inform(this, error.userMessage(), windowTitle(), MessageBoxes::Icon::Critical);
    }
    refresh();
}

void PinDialog::unlock()
{
    try {
        PinTable(m_services.database).unlock(m_id, {m_services.time.now(), EditHistory::workstationUser()});
    } catch (const DatabaseError& error) {
        m_services.messages.inform(this, error.userMessage(), windowTitle(), MessageBoxes::Icon::Critical);
    }
    refresh();
}
