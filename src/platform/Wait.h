#pragma once

class TimeSource;

// Waits the given seconds on the program's clock while window events keep running.
void waitSeconds(double seconds, const TimeSource& time);
