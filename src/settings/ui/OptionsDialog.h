#pragma once

#include "settings/OptionsSave.h"
#include "settings/ui/GeneralPage.h"

#include <QDialog>
#include <QList>
#include <functional>
#include <optional>

class CameraPage;
class DateTimePage;
class OptionsPage;
class QLabel;
class QTabWidget;
class SystemClockSetter;
struct Services;
class Session;

// The options dialog: every option of the settings record on its pages, saved together by
// "&Save all settings"; the password, the system clock and the camera act on their own buttons.
// Each page says which controls it holds.
//
// Object names: tabOptions; buttons cmdSave and cmdCancel; lblHelp.
class OptionsDialog : public QDialog {
    Q_OBJECT

public:
    // Stores what the save hands over, saying what came of it; the dialog stays open when it
    // answers Refused. `parent` is the dialog, for the messages.
    using Store = std::function<OptionsSave::Outcome(const SettingsChange& change, const SourceChoice& source,
                                                     QWidget* parent)>;

    // The pages show `session.settings()`; the employee source, the password, the camera and the
    // staff read at a change of source act on `state` at once.
    OptionsDialog(const Services& services, Session& session, SystemClockSetter& clockSetter, Store store,
                  QWidget* parent = nullptr);
    ~OptionsDialog() override;

    // Places the frame of the record sequence audit on the "Date Time" page. Its widgets bring
    // their own explanations in the property "helpText".
    void setAuditFrame(QWidget* frame);

    static inline const QString& firstHelpText = GeneralPage::sourceHelp;

    QString helpText() const;
    // The change the save stored; nothing while the dialog is open or when it was cancelled.
    const std::optional<SettingsChange>& savedChange() const { return m_result; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void addPage(OptionsPage* page, const QString& title);
    void watchHelp(QWidget* widget);
    void saveAll();

    const Services& m_services;
    Session& m_session;
    Store m_store;
    std::optional<SettingsChange> m_result;

    QTabWidget* m_tabs = nullptr;
    QLabel* m_help = nullptr;
    QList<OptionsPage*> m_pages;
    GeneralPage* m_general = nullptr;
    CameraPage* m_cameraPage = nullptr;
    DateTimePage* m_dateTimePage = nullptr;
};
