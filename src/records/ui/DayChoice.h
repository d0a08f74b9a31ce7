#pragma once

#include <QtGlobal>
#include <optional>

class QPushButton;
class QWidget;
struct ProgramState;

// The date picker as the record windows use it: the picked day number, or nothing when it was
// cancelled (the call mode's "Cancel" is then cleared).
std::optional<qint32> chooseDay(ProgramState& state, QWidget* parent);
// Shows a chosen day on a date button: the long date, red on white.
void showChosenDay(QPushButton* button, qint32 dayNumber);
