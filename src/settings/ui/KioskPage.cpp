#include "settings/ui/KioskPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

KioskPage::KioskPage(QWidget* parent)
    : OptionsPage(parent)
{
    auto* layout = new QVBoxLayout(this);
    auto* frame = new QGroupBox(QStringLiteral("Clock screen "), this);
    m_grid = new QGridLayout(frame);

    const QString guardHelp = QStringLiteral(
        "A card read twice by mistake would clock its owner in and straight out again. With a number of "
        "seconds here, a punch by someone who punched less than that long ago is refused and nothing is "
        "written; 60 suits most shops. 0 turns the guard off. Punches on other clock stations count too.");
    auto* guardLabel = new QLabel(QStringLiteral("Refuse a second punch within"), frame);
    QLineEdit* guard = addBox("txtGuardSeconds", "clock.guard_seconds", guardHelp, 56);
    guardLabel->setBuddy(guard);
    setHelp(guardLabel, guardHelp);
    m_grid->addWidget(guardLabel, 0, 0);
    m_grid->addWidget(guard, 0, 1);
    m_grid->addWidget(new QLabel(QStringLiteral("seconds"), frame), 0, 2);

    m_grid->addWidget(
        addCheck(
            "chkReaderHex", "clock.reader_hex",
            QStringLiteral("The card reader sends hexadecimal: read it as the number printed on the card"),
            QStringLiteral("Some card readers send a card's number in hexadecimal (such as 0044DA59) "
                           "while the card shows it in decimal (0004512345). Turn this on for such a "
                           "reader, so that cards are assigned and recognised by their printed number.")),
        1, 0, 1, 3);
    m_grid->addWidget(
        addCheck("chkShowWeekHours", "clock.week_hours",
                 QStringLiteral("Show the week's hours after a punch"),
                 QStringLiteral("The confirmation adds the hours the employee has worked in the current "
                                "workweek, counted by the rules of the Pay page, and the overtime among "
                                "them.")),
        2, 0, 1, 3);
    m_grid->addWidget(
        addCheck("chkAskPin", "clock.ask_pin", QStringLiteral("Ask for a PIN after the ID"),
                 QStringLiteral("Nobody can punch for someone else: after the ID or card, the clock asks for "
                                "the employee's own PIN of 4 to 8 digits, chosen at their first punch. Five "
                                "wrong PINs lock the ID for five minutes; the employee editor's PIN button "
                                "unlocks it or clears a forgotten PIN.")),
        3, 0, 1, 3);
    m_grid->setColumnStretch(3, 1);
    layout->addWidget(frame);
    layout->addStretch(1);
}
