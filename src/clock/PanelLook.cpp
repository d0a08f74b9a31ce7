#include "clock/PanelLook.h"

namespace {
constexpr Rgb white{255, 255, 255};
constexpr Rgb lightCyan{0, 255, 255};
constexpr Rgb teal{0, 128, 128};
constexpr Rgb black{0, 0, 0};
constexpr Rgb red{255, 0, 0};
} // namespace

PanelLook PanelLook::forOutcome(PunchOutcome outcome, const QString& warning, const SettingsRecord& s)
{
    PanelLook look;
    look.line0 = teal;
    look.line2 = teal;
    look.line3 = black;
    switch (outcome) {
    case PunchOutcome::NormalIn:
        look.background = white;
        look.line2Text = s.clockingIn;
        look.line3Text = s.goodMorning;
        break;
    case PunchOutcome::NormalOut:
        look.background = lightCyan;
        look.line2Text = s.clockingOut;
        look.line3Text = s.goodNight;
        look.pictureVisible = false;
        break;
    case PunchOutcome::InWarning:
        look.background = white;
        look.line2 = red;
        look.line2Text = warning;
        look.line3Text = s.goodMorning;
        break;
    case PunchOutcome::OutWarning:
        look.background = lightCyan;
        look.line2.reset();
        look.line2Text = warning;
        look.line3Text = s.goodNight;
        look.pictureVisible = false;
        break;
    case PunchOutcome::Reject:
        look.background = red;
        look.line0 = look.line3 = white;
        look.line2 = white;
        look.line2Text = s.rejected;
        look.line3Text = warning;
        look.pictureVisible = false;
        break;
    }
    return look;
}
