#pragma once

// Ends the program after a change that needs a restart, so windows can be run headless in tests.
class ProgramExit {
public:
    virtual ~ProgramExit() = default;
    virtual void endProgram() = 0;
};

// Leaves every event loop of the program, the modal ones included; the program then ends as after
// its own Exit, without the picture clean-up that only a chosen Exit does.
class QtProgramExit final : public ProgramExit {
public:
    void endProgram() override;
};
