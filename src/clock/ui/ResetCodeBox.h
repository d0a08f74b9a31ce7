#pragma once

#include <QLineEdit>

struct Services;
class Session;

// The hidden entry where support's reset code clears a forgotten password; opened by pressing both
// mouse buttons on a spot only support tells about.
class ResetCodeBox : public QLineEdit {
    Q_OBJECT

public:
    explicit ResetCodeBox(const Services& services, Session& session, QWidget* parent = nullptr);
    void open();
    // Both mouse buttons held together: the press that opens the box.
    static bool isOpeningPress(const QEvent* event);

Q_SIGNALS:
    // The password is gone; the program ends so the next start runs without it.
    void passwordCleared();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void tryCode();
    const Services& m_services;
    Session& m_session;
};
