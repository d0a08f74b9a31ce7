#pragma once

#include <QString>
#include <QWidget>

// The on-screen keypad for touch screens: 36 character keys, then Enter and Clear. Its buttons
// never take the focus, so the box being typed into keeps it.
class KeypadWidget : public QWidget {
    Q_OBJECT

public:
    static constexpr int characterKeys = 36;
    static constexpr int enterKey = 36;
    static constexpr int clearKey = 37;
    static constexpr int keyCount = 38;

    explicit KeypadWidget(QWidget* parent = nullptr);

    // The caption of a key: its character, "E  N  T  E  R" or "Clear".
    static QString caption(int key);

Q_SIGNALS:
    void keyPressed(int key);
};
