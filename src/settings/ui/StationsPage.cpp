#include "settings/ui/StationsPage.h"

#include "platform/MessageBoxes.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "store/Database.h"
#include "store/DatabaseLocation.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

StationsPage::StationsPage(const Services& services, Session& session, QWidget* parent)
    : OptionsPage(parent)
    , m_services(services)
    , m_session(session)
{
    auto* layout = new QVBoxLayout(this);
    m_ownFile =
        new QRadioButton(QStringLiteral("Keep the clock records on this computer (one clock station)"), this);
    m_ownFile->setObjectName(QStringLiteral("optOwnFile"));
    m_server = new QRadioButton(QStringLiteral("Share the clock records with other clock stations on a "
                                               "PostgreSQL server:"),
                                this);
    m_server->setObjectName(QStringLiteral("optSharedServer"));
    m_address = new QLineEdit(this);
    m_address->setObjectName(QStringLiteral("txtServer"));
    m_address->setPlaceholderText(QStringLiteral("postgresql://clock@server/tellarin"));
    m_test = new QPushButton(QStringLiteral("&Test the connection"), this);
    m_test->setObjectName(QStringLiteral("cmdTestServer"));
    m_test->setAutoDefault(false);
    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("lblServerResult"));
    m_result->setWordWrap(true);
    auto* note =
        new QLabel(QStringLiteral("The password is not kept here: the server's administrator puts it in "
                                  "the file .pgpass of this computer's account. A change takes effect "
                                  "when Tellarin starts again."),
                   this);
    note->setWordWrap(true);
    layout->addWidget(m_ownFile);
    layout->addWidget(m_server);
    layout->addWidget(m_address);
    layout->addWidget(m_test, 0, Qt::AlignLeft);
    layout->addWidget(m_result);
    layout->addWidget(note);
    const QString kept = StationSettings(m_session.paths().programFolder()).databaseUrl();
    if (m_session.location().isServer()) {
        QString text = QStringLiteral("In use now: %1").arg(m_session.location().displayUrl());
        // Started with --database or TELLARIN_DATABASE, which win over what this page keeps.
        if (m_session.location().displayUrl() != kept)
            text +=
                QStringLiteral(" (named when Tellarin was started, which goes before this page's choice)");
        auto* inUse = new QLabel(text, this);
        inUse->setWordWrap(true);
        layout->addWidget(inUse);
    }
    layout->addStretch(1);

    (kept.isEmpty() ? m_ownFile : m_server)->setChecked(true);
    m_address->setText(kept);
    connect(m_ownFile, &QRadioButton::toggled, this, &StationsPage::updateEnabled);
    connect(m_test, &QPushButton::clicked, this, &StationsPage::testServer);
    updateEnabled();
}

StationsPage::~StationsPage() = default;

QString StationsPage::problem() const
{
    if (!m_server->isChecked())
        return {};
    QString error;
    const std::optional<DatabaseLocation> location = DatabaseLocation::parse(m_address->text(), &error);
    if (!location)
        return error;
    if (!location->isServer())
        return QStringLiteral("Enter the address of the PostgreSQL server, for example "
                              "postgresql://clock@server/tellarin.");
    return {};
}

std::optional<Refusal> StationsPage::validate() const
{
    const QString error = problem();
    if (error.isEmpty())
        return std::nullopt;
    return Refusal{error, QStringLiteral("Options"), MessageBoxes::Icon::Warning};
}

void StationsPage::save(SettingsChange& change) const
{
    change.stationDatabaseUrl = m_server->isChecked() ? m_address->text() : QString();
}

QString StationsPage::resultText() const
{
    return m_result->text();
}

void StationsPage::updateEnabled()
{
    m_address->setEnabled(m_server->isChecked());
    m_test->setEnabled(m_server->isChecked() && !m_testing);
}

void StationsPage::testServer()
{
    if (const QString error = problem(); !error.isEmpty()) {
        m_result->setText(error);
        Q_EMIT testFinished();
        return;
    }
    const DatabaseLocation location = *DatabaseLocation::parse(m_address->text());
    m_testing = true;
    updateEnabled();
    m_result->setText(QStringLiteral("Connecting..."));
    // A server that does not answer takes seconds to give up; the window stays usable meanwhile.
    probeServerLater(location, this, [this](const QString& error) {
        m_testing = false;
        m_result->setText(error.isEmpty()
                              ? QStringLiteral("The server answered: the clock records can be shared there.")
                              : QStringLiteral("No connection: ") + error);
        updateEnabled();
        Q_EMIT testFinished();
    });
}
