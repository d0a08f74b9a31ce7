#pragma once

#include "records/RecordEditor.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
struct Services;
class Session;

// The record editor: one employee's clock records from a start day on, listed, shown one at a
// time, changed, inserted and deleted through RecordEditor.
//
// Object names: lstRecords, lblNoRecords, lblName, lblID, cmdDate, txtTime, optIn, optOut, lblTips,
// txtTips, cboDepartment, lblCreated, picPicture, ckMarkEdit, cmdSave, cmdInsert, cmdDelete,
// cmdRefresh, cmdPrevious, cmdNext, cmdHistory, cmdDeleted, cmdClose.
class RecordEditorWindow : public QDialog {
    Q_OBJECT

public:
    RecordEditorWindow(const Services& services, Session& session, const QString& employeeId, qint32 startDay,
                       QWidget* parent = nullptr);

    const RecordEditor& editor() const { return m_editor; }
    // Selects the record's line and shows it, as a click would; false when it is not listed.
    bool selectRecord(qint64 recordNumber);

    void save();
    void insert();
    void deleteRecord();
    void refresh();
    void showHistory();
    // The employee's records deleted by hand from the start day on, each with its story.
    void showDeleted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildDetail(QWidget* area);
    void lineClicked(int row);
    void loadScreen(qint64 recordNumber);
    void move(int step);
    void chooseDate();
    void directionChanged();
    void updateMoves();
    RecordEditor::Input input() const;
    // Asks before a write that leaves two INs or two OUTs in a row; true to go on.
    bool sequenceAccepted(RecordEditor::Write write);
    void clearDetail();
    void report(const RecordEditor::Outcome& outcome);

    const Services& m_services;
    Session& m_session;
    RecordEditor m_editor;
    QListWidget* m_list = nullptr;
    QLabel* m_noRecords = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_id = nullptr;
    QPushButton* m_date = nullptr;
    QLineEdit* m_time = nullptr;
    QRadioButton* m_in = nullptr;
    QRadioButton* m_out = nullptr;
    QLabel* m_tipsLabel = nullptr;
    QLineEdit* m_tips = nullptr;
    QComboBox* m_department = nullptr;
    QLabel* m_created = nullptr;
    QLabel* m_picture = nullptr;
    QCheckBox* m_markEdit = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
};
