#include "records/ui/DayChoice.h"

#include "records/RecordTexts.h"

#include <QPushButton>

void showChosenDay(QPushButton* button, qint32 dayNumber)
{
    button->setText(RecordTexts::longDate(dayNumber, button->locale()));
    button->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0); background-color: rgb(255, 255, 255)"));
}
