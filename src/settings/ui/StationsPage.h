#pragma once

#include "settings/ui/OptionsPage.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
struct Services;
class Session;

// The "Stations" page of the options dialog: whether this station keeps its clock records in its own
// file or shares them with other stations on a PostgreSQL server, kept in the station's own settings.
//
// Object names: optOwnFile, optSharedServer, txtServer, cmdTestServer, lblServerResult.
class StationsPage : public OptionsPage {
    Q_OBJECT

public:
    explicit StationsPage(const Services& services, Session& session, QWidget* parent = nullptr);
    ~StationsPage() override;

    // Empty when what is entered can be kept; otherwise what is wrong with it.
    QString problem() const;
    std::optional<Refusal> validate() const override;
    // The choice is kept for the next start.
    void save(SettingsChange& change) const override;
    // The last connection test's outcome, for a window that waits on it.
    QString resultText() const;

Q_SIGNALS:
    void testFinished();

private:
    void testServer();
    void updateEnabled();

    const Services& m_services;
    Session& m_session;
    QRadioButton* m_ownFile = nullptr;
    QRadioButton* m_server = nullptr;
    QLineEdit* m_address = nullptr;
    QPushButton* m_test = nullptr;
    QLabel* m_result = nullptr;
    bool m_testing = false;
};
