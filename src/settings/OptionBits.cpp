#include "settings/OptionBits.h"

#include <array>
#include <utility>

namespace {
using Flag = bool SettingsRecord::*;

// Highest bit first: a stored value is decoded by testing each bit from the top down and
// subtracting it, which is also how out-of-range values have always been read.
const std::array<std::pair<qint32, Flag>, 14> optionsBits{{
    {8192, &SettingsRecord::showLiveCam},
    {4096, &SettingsRecord::autoDeduct},
    {2048, &SettingsRecord::allowMinimize},
    {1024, &SettingsRecord::showKeyboard},
    {512, &SettingsRecord::lateOutReject},
    {256, &SettingsRecord::earlyInReject},
    {128, &SettingsRecord::showClockFirst},
    {64, &SettingsRecord::useSound},
    {32, &SettingsRecord::forceClockOuts},
    {16, &SettingsRecord::lateOutShow},
    {8, &SettingsRecord::earlyInShow},
    {4, &SettingsRecord::reportTips},
    {2, &SettingsRecord::clock12Hour},
    {1, &SettingsRecord::takePictures},
}};

const std::array<std::pair<qint32, Flag>, 6> options2Bits{{
    {32, &SettingsRecord::earlyOutReject},
    {16, &SettingsRecord::lateInReject},
    {8, &SettingsRecord::earlyOutShow},
    {4, &SettingsRecord::lateInShow},
    {2, &SettingsRecord::showInOutLists},
    {1, &SettingsRecord::showElapsedTime},
}};

template <std::size_t N>
void decodeInto(qint64 value, const std::array<std::pair<qint32, Flag>, N>& bits, SettingsRecord& settings)
{
    for (const auto& [bit, flag] : bits) {
        settings.*flag = value >= bit;
        if (value >= bit)
            value -= bit;
    }
}

template <std::size_t N>
qint32 encodeFrom(const std::array<std::pair<qint32, Flag>, N>& bits, const SettingsRecord& settings)
{
    qint32 value = 0;
    for (const auto& [bit, flag] : bits) {
        const bool on = settings.*flag;
        if (flag == &SettingsRecord::useSound ? !on : on)
            value += bit;
    }
    return value;
}
} // namespace

void OptionBits::decode(qint64 options, qint64 options2, SettingsRecord& settings)
{
    decodeInto(options, optionsBits, settings);
    settings.useSound = !settings.useSound; // the decoded bit said "sound off"
    decodeInto(options2, options2Bits, settings);
}

qint32 OptionBits::encodeOptions(const SettingsRecord& settings)
{
    return encodeFrom(optionsBits, settings);
}

qint32 OptionBits::encodeOptions2(const SettingsRecord& settings)
{
    return encodeFrom(options2Bits, settings);
}
