#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// Tells a card or barcode reader from a person at the keyboard: a reader types a whole number and
// Enter within a few tens of milliseconds, faster than anyone types. Fed with each key and the time
// it came; a reading is handed out once, whole, however its keys were spread over the screen.
class KeyBurst {
public:
    // The longest pause between two keys of one reading, and the fewest characters a reading has:
    // readers send a key every 5 to 30 ms, while typing by hand leaves 80 ms or more between keys.
    static constexpr int gapMs = 50;
    static constexpr int shortest = 4;

    // A key that types `text`. `ignored`: the screen takes no input now; a reading any of whose keys
    // came then is dropped whole, never handed out in part.
    void key(const QString& text, const QDateTime& at, bool ignored = false);
    // Enter. True when it ends keys that came as a reader types them: the Enter is then the
    // reader's, and reading() hands the reading out once a gap has passed without another key (a
    // reader may send an Enter inside its burst, or two at its end).
    bool enter(const QDateTime& at, bool ignored = false);
    // The reading whose last Enter is a gap old; nothing while keys may still come.
    std::optional<QString> reading(const QDateTime& now);

private:
    bool follows(const QDateTime& at) const;
    void startOver();
    void finishHeld(const QDateTime& now);

    QString m_keys;      // the characters of the keys that came in one run
    QDateTime m_last;    // when the run's latest key or Enter came
    bool m_ignored = false;
    bool m_enterHeld = false; // the run ended with a reader's Enter
    std::optional<QString> m_ready;
};
