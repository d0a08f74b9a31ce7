#pragma once

#include "platform/KeyBurst.h"

#include <QDialog>
#include <functional>
#include <optional>

class MessageBoxes;
class QLineEdit;
class TimeSource;

// The card or barcode of one employee: scanned with the reader into the box, or typed as printed
// on the card; Save keeps it in place of the one the employee had, Remove takes it away.
//
// Object names: txtBadge, lblBadgeHelp, cmdSaveBadge, cmdRemoveBadge, cmdCancel.
class BadgeDialog : public QDialog {
    Q_OBJECT

public:
    struct Input {
        QString employeeName;
        QString employeeId;
        std::optional<QString> badge; // the card the employee has
        bool readerHex = false;      // readings are hexadecimal, read as the printed number
    };
    // Stores the card (nothing: none); the refusal to show, or empty when it was stored.
    using Store = std::function<QString(const std::optional<QString>& badge)>;

    BadgeDialog(const Input& input, const TimeSource& time, MessageBoxes& messages, Store store,
                QWidget* parent = nullptr);

    // The buttons' actions, callable without a click; true when stored.
    bool saveBadge();
    bool removeBadge();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void takeReading();
    bool keep(const std::optional<QString>& badge);

    const TimeSource& m_time;
    MessageBoxes& m_messages;
    Store m_store;
    bool m_readerHex = false;
    KeyBurst m_burst;
    QLineEdit* m_box = nullptr;
};
