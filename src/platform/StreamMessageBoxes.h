#pragma once

#include "platform/MessageBoxes.h"

class QTextStream;

// Message boxes for the command line: every message becomes one line on the error stream and every
// question is answered No (Cancel where it can be), so a command never changes a file it was not asked to
// change.
class StreamMessageBoxes final : public MessageBoxes {
public:
    explicit StreamMessageBoxes(QTextStream& err)
        : m_err(err)
    {}
    void inform(QWidget* parent, const QString& text, const QString& title, Icon icon) override;
    Answer askYesNo(QWidget* parent, const QString& text, const QString& title, Icon icon) override;
    Answer askYesNoCancel(QWidget* parent, const QString& text, const QString& title, Icon icon) override;
    void beep() override {}

    static QString oneLine(const QString& text);

private:
    QTextStream& m_err;
};
