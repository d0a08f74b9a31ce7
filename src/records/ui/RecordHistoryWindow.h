#pragma once

#include "records/HistoryTexts.h"

#include <QDialog>

class QListWidget;
class QPlainTextEdit;
struct Services;
class Session;

// Shows how one clock record came about and every hand change made to it since; or lists the
// records of one employee deleted by hand from a day on, each with its story.
//
// Object names: lstDeleted (deleted records only), txtHistory, cmdClose.
class RecordHistoryWindow : public QDialog {
    Q_OBJECT

public:
    RecordHistoryWindow(const Services& services, Session& session, qint64 recordNumber,
                        QWidget* parent = nullptr);
    RecordHistoryWindow(const Services& services, Session& session, const QString& employeeId, qint32 fromDay,
                        QWidget* parent = nullptr);

    QString text() const;
    QStringList deletedLines() const;

private:
    void build();
    void showStory(qint64 recordNumber);

    const Services& m_services;
    Session& m_session;
    QListWidget* m_deleted = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QList<HistoryTexts::DeletedRecord> m_found;
};
