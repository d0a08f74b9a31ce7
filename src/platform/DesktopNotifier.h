#pragma once

#include <QString>

// Shows a message on the desktop without waiting for it; where the desktop has no notification
// service nothing happens and nothing is reported.
class DesktopNotifier {
public:
    virtual ~DesktopNotifier() = default;
    virtual void notify(const QString& summary, const QString& body) = 0;
};

// For a command line, or a desktop that shows none.
class NoDesktopNotifier final : public DesktopNotifier {
public:
    void notify(const QString&, const QString&) override {}
};
