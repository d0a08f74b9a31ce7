#pragma once

#include <QtGlobal>

class QPushButton;

// Shows a chosen day on a date button: the long date, red on white.
void showChosenDay(QPushButton* button, qint32 dayNumber);
