// The clock screen's PIN step: the ID box takes the PIN, the hashes run on a thread of their own.
#include "clock/PinHash.h"
#include "clock/StationLink.h"
#include "clock/ui/ClockWindow.h"
#include "platform/TimeSource.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/DatabaseError.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

void ClockWindow::showPin(const QString& prompt, const QString& message)
{
    m_prompt->setText(prompt);
    m_message->setText(message);
    m_idBox->clear();
    m_idBox->setFocus();
}

void ClockWindow::hidePin(const QString& message)
{
    m_prompt->setText(m_session.settings().enterId);
    m_message->setText(message);
    m_idBox->clear();
    m_idBox->setFocus();
}

std::optional<PinRow> ClockWindow::pinOf(const QString& id)
{
    if (m_link && m_link->isOffline())
        return std::nullopt;
    try {
        return PinTable(m_services.database).of(id);
    } catch (const DatabaseError& error) {
        if (absorbedByLink(error))
            return std::nullopt;
        throw;
    }
}

void ClockWindow::startPinWork(const ClockCycle::PinWork& work)
{
    m_pinWork.start([this, work] {
        ClockCycle::PinWorkDone done{work.ticket, false, QString()};
        if (work.hash.isEmpty())
            done.hash = PinHash::make(work.pin);
        else
            done.matches = PinHash::matches(work.hash, work.pin);
        // Handed to the screen's own thread; dropped with the screen when it has gone meanwhile.
        QMetaObject::invokeMethod(
            this, [this, done] { m_cycle.pinWorkDone(done); }, Qt::QueuedConnection);
    });
}

bool ClockWindow::choosePin(const QString& id, const QString& hash)
{
    return PinTable(m_services.database).choose(id, hash);
}

PinTable::TryResult ClockWindow::countPinTry(const QString& id, bool right)
{
    return PinTable(m_services.database).count(id, right, m_services.time.now());
}

bool ClockWindow::pinKey(const QKeyEvent* key)
{
    if (key->key() == Qt::Key_Escape) {
        m_cycle.cancelPin();
        return true;
    }
    const QString text = key->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !text.at(0).isDigit())
        return true;
    m_cycle.pinTyped();
    return false;
}
