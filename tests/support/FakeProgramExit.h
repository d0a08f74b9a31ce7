#pragma once

#include "platform/ProgramExit.h"

// Counts the requests to end the program instead of ending the test.
class FakeProgramExit final : public ProgramExit {
public:
    void endProgram() override { ++ends; }
    int ends = 0;
};
