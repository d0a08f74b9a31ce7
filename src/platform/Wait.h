#pragma once

class TimeSource;

// Lets window events run until the time source has moved on by the given seconds, so the screen
// stays painted while the program waits. A wait that runs past midnight still ends.
void waitSeconds(double seconds, const TimeSource& time);
