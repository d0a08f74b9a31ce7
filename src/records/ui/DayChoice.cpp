#include "records/ui/DayChoice.h"

#include "platform/ui/DatePicker.h"
#include "records/RecordTexts.h"
#include "settings/ProgramState.h"

#include <QPushButton>
#include <cmath>

std::optional<qint32> chooseDay(ProgramState& state, QWidget* parent)
{
    DatePicker picker(state, parent);
    picker.exec();
    if (state.callMode == QLatin1String("Cancel")) {
        state.callMode.clear();
        return std::nullopt;
    }
    return static_cast<qint32>(std::lround(state.pickedDay));
}

void showChosenDay(QPushButton* button, qint32 dayNumber)
{
    button->setText(RecordTexts::longDate(dayNumber, button->locale()));
    button->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0); background-color: rgb(255, 255, 255)"));
}
