#pragma once

#include <QString>

// Personal PINs as Argon2id hashes: made when a PIN is chosen, checked at each punch. Both take about
// a second of one core on a modest kiosk, so the clock screen runs them off its own thread; they keep
// no state and may run on any thread.
namespace PinHash {
// What a hash costs to make: the kiosk's (libsodium's interactive limits, 64 MiB), or the least the
// algorithm allows, for tests that make many.
enum class Cost { Kiosk, Least };

// True for 4 to 8 digits.
bool isWellFormed(const QString& pin);
// The hash in the algorithm's own text form (parameters and salt included); empty only when the
// machine could not spare the memory.
QString make(const QString& pin, Cost cost = Cost::Kiosk);
// Whether the PIN is the one the hash was made from; false for a hash it cannot read.
bool matches(const QString& hash, const QString& pin);
} // namespace PinHash
