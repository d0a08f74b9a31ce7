#pragma once

#include "staff/StaffCsv.h"

#include <QDialog>

class QLabel;
class QListWidget;

// Shows what an import of the staff spreadsheet will do, before anything is written, and lets the
// manager go on (Import) or stop (Cancel). New departments are named, so pressing Import agrees
// to them.
//
// Object names: lblSummary, lstChanges, cmdImport, cmdCancel.
class ImportPreviewDialog : public QDialog {
    Q_OBJECT

public:
    ImportPreviewDialog(const StaffCsv::Plan& plan, QWidget* parent = nullptr);

    QString summary() const;
    QStringList lines() const;

private:
    QLabel* m_summary = nullptr;
    QListWidget* m_changes = nullptr;
};
