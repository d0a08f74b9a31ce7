#include "platform/KeyBurst.h"

#include <utility>

bool KeyBurst::follows(const QDateTime& at) const
{
    if (!m_last.isValid())
        return false;
    const qint64 pause = m_last.msecsTo(at);
    return pause >= 0 && pause <= gapMs;
}

void KeyBurst::startOver()
{
    m_keys.clear();
    m_last = QDateTime();
    m_ignored = false;
    m_enterHeld = false;
}

void KeyBurst::finishHeld(const QDateTime& now)
{
    if (!m_enterHeld || follows(now))
        return;
    if (!m_ignored)
        m_ready = m_keys;
    startOver();
}

void KeyBurst::key(const QString& text, const QDateTime& at, bool ignored)
{
    finishHeld(at);
    if (!follows(at))
        startOver();
    m_keys += text;
    m_last = at;
    m_ignored = m_ignored || ignored;
    // A key after the reader's Enter carries on the same reading, which now needs an Enter of its own.
    m_enterHeld = false;
}

bool KeyBurst::enter(const QDateTime& at, bool ignored)
{
    finishHeld(at);
    if (!follows(at) || m_keys.size() < shortest) {
        startOver();
        return false;
    }
    m_last = at;
    m_ignored = m_ignored || ignored;
    m_enterHeld = true;
    return true;
}

std::optional<QString> KeyBurst::reading(const QDateTime& now)
{
    finishHeld(now);
    return std::exchange(m_ready, std::nullopt);
}
