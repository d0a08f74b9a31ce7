#include "settings/ui/OptionsDialog.h"

#include "platform/MessageBoxes.h"
#include "settings/Services.h"
#include "settings/Session.h"
#include "settings/ui/CameraPage.h"
#include "settings/ui/DateTimePage.h"
#include "settings/ui/GeneralPage.h"
#include "settings/ui/KioskPage.h"
#include "settings/ui/PasswordPage.h"
#include "settings/ui/PayPage.h"
#include "settings/ui/StationsPage.h"
#include "settings/ui/TranslationsPage.h"
#include "settings/ui/WorkHoursPage.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <utility>

OptionsDialog::OptionsDialog(const Services& services, Session& session, SystemClockSetter& clockSetter,
                             Store store, QWidget* parent)
    : QDialog(parent)
    , m_services(services)
    , m_session(session)
    , m_store(std::move(store))
{
    setWindowTitle(QStringLiteral("Options"));
    // Every box of the dialog shows where the typing goes.
    setStyleSheet(QStringLiteral("QLineEdit { background: rgb(255,255,255); }"
                                 "QLineEdit:focus { background: rgb(255,255,0); }"));
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabOptions"));
    const bool employeeDatabase = session.hasEmployeeDatabase();
    m_general = new GeneralPage(services, session, session.employeeSource(), this);
    m_cameraPage = new CameraPage(services, session, this);
    m_dateTimePage = new DateTimePage(services, session, clockSetter, this);
    addPage(m_general, QStringLiteral("General"));
    addPage(m_cameraPage, QStringLiteral("Camera"));
    addPage(new PasswordPage(services, session, this), QStringLiteral("Password"));
    addPage(new TranslationsPage(this), QStringLiteral("Translations"));
    addPage(m_dateTimePage, QStringLiteral("Date Time"));
    addPage(new WorkHoursPage(employeeDatabase, this), QStringLiteral("Work hours"));
    addPage(new StationsPage(services, session, this), QStringLiteral("Stations"));
    addPage(new PayPage(this), QStringLiteral("Pay"));
    addPage(new KioskPage(this), QStringLiteral("Kiosk"));
    layout->addWidget(m_tabs, 1);

    m_help = new QLabel(firstHelpText, this);
    m_help->setObjectName(QStringLiteral("lblHelp"));
    m_help->setWordWrap(true);
    m_help->setFrameShape(QFrame::StyledPanel);
    m_help->setMinimumHeight(56);
    m_help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_help->setStyleSheet(QStringLiteral("QLabel { background: rgb(255,255,225); padding: 4px; }"));
    layout->addWidget(m_help);

    auto* buttons = new QHBoxLayout;
    auto* save = new QPushButton(QStringLiteral("&Save all settings"), this);
    save->setObjectName(QStringLiteral("cmdSave"));
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    // Enter in a box must not save the whole dialog.
    save->setAutoDefault(false);
    cancel->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &OptionsDialog::saveAll);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    for (OptionsPage* page : std::as_const(m_pages)) {
        page->load(session.settings());
        watchHelp(page);
    }
    // Room for the audit's list on the "Date Time" page.
    resize(sizeHint().width(), qMax(sizeHint().height(), 640));
}

OptionsDialog::~OptionsDialog() = default;

void OptionsDialog::addPage(OptionsPage* page, const QString& title)
{
    m_tabs->addTab(page, title);
    m_pages.append(page);
}

void OptionsDialog::watchHelp(QWidget* widget)
{
    QList<QWidget*> widgets = widget->findChildren<QWidget*>();
    widgets.prepend(widget);
    for (QWidget* w : std::as_const(widgets)) {
        if (w->property(OptionsPage::helpProperty).isValid())
            w->installEventFilter(this);
    }
}

void OptionsDialog::setAuditFrame(QWidget* frame)
{
    m_dateTimePage->setAuditFrame(frame);
    watchHelp(frame);
}

QString OptionsDialog::helpText() const
{
    return m_help->text();
}

bool OptionsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Enter) {
        const QVariant text = watched->property(OptionsPage::helpProperty);
        if (text.isValid())
            m_help->setText(text.toString());
    }
    return QDialog::eventFilter(watched, event);
}

void OptionsDialog::saveAll()
{
    for (OptionsPage* page : std::as_const(m_pages)) {
        if (const std::optional<Refusal> refused = page->validate()) {
            m_tabs->setCurrentWidget(page);
            m_services.messages.inform(this, refused->text, refused->title, refused->icon);
            return;
        }
    }
    SettingsChange change;
    for (const OptionsPage* page : std::as_const(m_pages))
        page->save(change);
    if (m_store(change, m_general->source(), this) == OptionsSave::Outcome::Refused)
        return;
    m_result = std::move(change);
    accept();
}

void OptionsDialog::done(int result)
{
    // The test picture must not keep the camera busy once the dialog is gone.
    m_cameraPage->stopCamera();
    QDialog::done(result);
}
