#pragma once

#include "PostgresServer.h"
#include "TestFolder.h"

#include <gtest/gtest.h>

// A test run once on the embedded file and once on a server database; the server run is skipped,
// with the reason shown, where no server can be started here.
class BackendTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override
    {
        if (GetParam() == Backend::Server)
            TELLARIN_REQUIRE_POSTGRES();
    }
    Backend backend() const { return GetParam(); }
};

// Shown in test listings, where a raw byte dump would say nothing.
inline void PrintTo(Backend backend, std::ostream* out)
{
    *out << backendName(backend);
}

inline std::string backendTestName(const testing::TestParamInfo<Backend>& test)
{
    return backendName(test.param);
}

// Instantiates every TEST_P of the suite for both backends, named .../File and .../Server.
#define TELLARIN_ON_BOTH_BACKENDS(suite)                                                                     \
    INSTANTIATE_TEST_SUITE_P(Backends, suite, testing::Values(Backend::File, Backend::Server),               \
                             backendTestName)
