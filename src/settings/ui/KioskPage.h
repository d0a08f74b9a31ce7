#pragma once

#include "settings/ui/OptionsPage.h"

class QGridLayout;

// The "Kiosk" page of the options dialog: what the clock screen does beyond taking a typed ID, such as
// reading cards, refusing a card read twice and showing the week's hours.
//
// Object names: txtGuardSeconds, chkReaderHex, chkShowWeekHours.
class KioskPage : public OptionsPage {
    Q_OBJECT

public:
    explicit KioskPage(QWidget* parent = nullptr);

protected:
    // The grid the page's options are laid out in, one per row; a new option takes the next row.
    QGridLayout* grid() const { return m_grid; }

private:
    QGridLayout* m_grid = nullptr;
};
