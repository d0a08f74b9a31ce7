#pragma once

#include "settings/SettingsTable.h"
#include "store/EmployeeSource.h"

#include <QString>
#include <functional>
#include <optional>

class ProgramExit;
class QWidget;
struct Services;
class Session;

// The employee source chosen in the dialog and what saving it will have to do with the path file.
class SourceChoice {
public:
    explicit SourceChoice(EmployeeSource atOpen);

    // Chooses a source; returns the one selected afterwards, which is the previous one when the
    // choice was refused. Choosing the staff of this program loads its staff files; choosing the
    // scheduling database asks chooseFile for its RTM.MDB (an empty answer cancels).
    EmployeeSource choose(EmployeeSource wanted, const Services& services, Session& session, QWidget* parent,
                          const std::function<QString()>& chooseFile = {});

    EmployeeSource atOpen() const { return m_atOpen; }
    EmployeeSource selected() const { return m_selected; }
    bool pathChanged() const { return m_pathChanged; }
    bool deletePath() const { return m_deletePath; }
    const QString& folder() const { return m_folder; }
    const QString& chosenFile() const { return m_chosenFile; }

private:
    EmployeeSource m_atOpen;
    EmployeeSource m_selected;
    bool m_pathChanged = false;
    bool m_deletePath = false;
    QString m_folder;
    QString m_chosenFile;
};

// "&Save all settings": checks, the settings row, the station's server, the employee source, and the
// restart some changes need.
namespace OptionsSave {
enum class Outcome {
    Refused, // a check failed; nothing was written and the dialog stays open
    Saved,   // every change takes effect at once; the dialog closes
    Ended,   // the program was told to end after its restart message
};
Outcome run(const Services& services, Session& session, const SettingsChange& change,
            const SourceChoice& source, ProgramExit& exit, QWidget* parent = nullptr);

inline const QString restartLine = QStringLiteral("Now you must restart the program ..");
} // namespace OptionsSave
