#pragma once

#include "pay/PayRules.h"
#include "reports/Rounding.h"
#include "settings/SettingsRecord.h"

// The pay rules and the pay rounding the settings choose.
namespace PaySettingsRules {
PayRules rules(const SettingsRecord& settings);
RoundingCode rounding(const SettingsRecord& settings);
} // namespace PaySettingsRules
