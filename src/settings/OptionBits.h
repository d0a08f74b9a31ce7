#pragma once

#include "settings/SettingsRecord.h"

#include <QtGlobal>

// The two bit sets that pack the on/off options into Options and Options2.
namespace OptionBits {
void decode(qint64 options, qint64 options2, SettingsRecord& settings);
qint32 encodeOptions(const SettingsRecord& settings);
qint32 encodeOptions2(const SettingsRecord& settings);
} // namespace OptionBits
