#pragma once

#include "settings/PasswordChange.h"
#include "settings/ui/OptionsPage.h"

class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
struct Services;
class Session;

// The "Password" page of the options dialog: sets, changes and removes the password at once, on its
// own button, without waiting for the dialog's save.
//
// Object names: lblPasswordHeading, txtNewPassword, lblConfirm, txtConfirmPassword, cmdSavePassword,
// lblPasswordStatus.
class PasswordPage : public OptionsPage {
    Q_OBJECT

public:
    explicit PasswordPage(const Services& services, Session& session, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool filterKey(QLineEdit* box, QKeyEvent* event);
    void leaveBox(QLineEdit* box);
    void save();
    void closeConfirmation();

    const Services& m_services;
    Session& m_session;
    PasswordChange m_change;
    QLabel* m_heading = nullptr;
    QLineEdit* m_password = nullptr;
    QLabel* m_confirmCaption = nullptr;
    QLineEdit* m_confirm = nullptr;
    QPushButton* m_save = nullptr;
    QLabel* m_status = nullptr;
};
