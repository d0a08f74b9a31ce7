#pragma once

// Wires the program together: paths, database, settings and the opening window.
class Application {
public:
    static int run(int argc, char** argv);
};
