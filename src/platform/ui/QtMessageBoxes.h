#pragma once

#include "platform/MessageBoxes.h"

// Message boxes shown with QMessageBox.
class QtMessageBoxes final : public MessageBoxes {
public:
    void inform(QWidget* parent, const QString& text, const QString& title, Icon icon) override;
    Answer askYesNo(QWidget* parent, const QString& text, const QString& title, Icon icon) override;
    Answer askYesNoCancel(QWidget* parent, const QString& text, const QString& title, Icon icon) override;
    void beep() override;
};
