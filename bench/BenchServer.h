#pragma once

#include <QString>

// The benchmarks' PostgreSQL server: the test suite's, started for the run in a temporary folder.
namespace BenchServer {
// A database filled by copying the prepared file of `rows` clock records into it, once per run; its
// URL. A durable server forces every commit to the disk, as the file does. Aborts without a server.
QString filledWith(int rows, bool durable);
} // namespace BenchServer
