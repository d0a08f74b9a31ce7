#pragma once

#include <QDialog>

class QPlainTextEdit;
struct ProgramState;

// Shows how one clock record came about and every hand change made to it since.
//
// Object names: txtHistory, cmdClose.
class RecordHistoryWindow : public QDialog {
    Q_OBJECT

public:
    RecordHistoryWindow(ProgramState& state, qint64 recordNumber, QWidget* parent = nullptr);

    QString text() const;

private:
    QPlainTextEdit* m_text = nullptr;
};
