#pragma once

#include "clock/PunchOutcome.h"
#include "settings/SettingsRecord.h"

#include <QString>
#include <optional>

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb&) const = default;
};

// How the confirmation panel is painted for an outcome: colours and the texts of lines 2 and 3.
struct PanelLook {
    Rgb background;
    Rgb line0;
    std::optional<Rgb> line2; // no value: line 2 keeps the colour it had
    Rgb line3;
    QString line2Text;
    QString line3Text;
    bool pictureVisible = true;

    // warning: the message of the failed schedule rule, empty when the punch passed.
    static PanelLook forOutcome(PunchOutcome outcome, const QString& warning, const SettingsRecord& settings);
};
