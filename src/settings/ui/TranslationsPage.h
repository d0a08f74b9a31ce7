#pragma once

#include "settings/ui/OptionsPage.h"

// The "Translations" page of the options dialog: the clock screen's phrases in the employees'
// language, and the optional greetings.
//
// Object names: txtRejected, txtClockingIN, txtClockingOUT, txtTipsWord, txtEnterID, txtTryAgain,
// txtNotFound, txtGoodMorning, txtGoodNight.
class TranslationsPage : public OptionsPage {
    Q_OBJECT

public:
    explicit TranslationsPage(QWidget* parent = nullptr);
};
