#pragma once

#include <QString>

class QWidget;
struct Services;
class Session;

// The password page of the options dialog: its texts, the length check on leaving a box, and the
// two-press save that sets, changes or removes the password at once.
class PasswordChange {
public:
    explicit PasswordChange(const Services& services, Session& session);

    enum class Step {
        Nothing,           // the removal was declined, or the entry was refused
        Removed,           // "Password has been removed"
        ConfirmationAsked, // first press: the confirmation box opens
        Mismatch,          // both boxes are emptied, the confirmation box closes
        Saved,             // "Password has been saved."
    };
    // One press of "Save Password" with the texts of the password box and the confirmation box.
    Step save(const QString& entry, const QString& confirmation, QWidget* parent = nullptr);
    bool confirming() const { return m_confirming; }

    // Leaving a box with a text of the wrong length shows the message; the box is then emptied and
    // gets the focus back. Returns whether the text may stay.
    bool leaveBox(const QString& text, QWidget* parent = nullptr);

    // The line above the password box, by whether a password is set.
    QString heading() const;

    static const QString removedText;
    static const QString savedText;

private:
    void refuseLength(QWidget* parent);
    // Writes the password (empty: removes it); a database failure is shown and gives false.
    bool store(const QString& entry, QWidget* parent);

    const Services& m_services;
    Session& m_session;
    bool m_confirming = false;
    QString m_remembered;
};
