#pragma once

#include <QString>
#include <atomic>
#include <functional>
#include <optional>
#include <thread>

class QObject;

// The full check of the clock database: every page, every row, every index entry against its row.
// It reads the whole file, so it never runs on the path to the opening window: it runs on a thread
// and a read-only connection of its own while the program works.
class IntegrityCheck {
public:
    struct Damage {
        QString number; // SQLite's result code, 11 when the check itself listed problems
        QString text;
    };

    IntegrityCheck() = default;
    ~IntegrityCheck();
    IntegrityCheck(const IntegrityCheck&) = delete;
    IntegrityCheck& operator=(const IntegrityCheck&) = delete;

    // Checks on the calling thread. Nothing when the file is sound, and also when the check could
    // not read it to the end for another reason than damage (held by another program, stopped).
    static std::optional<Damage> run(const QString& path, const std::atomic_bool& stop);

    // Starts a check on a thread of its own, stopping one still running. `found` is called on the
    // receiver's thread when, and only when, damage was found; the receiver must outlive the check
    // (or see it stopped first).
    void start(const QString& path, QObject* receiver, std::function<void(const Damage&)> found);
    // Stops a running check and waits for its thread; at once, the check gives way within a page or two.
    void stop();

private:
    std::thread m_thread;
    std::atomic_bool m_stop{false};
};
