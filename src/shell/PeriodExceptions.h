#pragma once

#include "payroll/PeriodReview.h"

class Session;
struct Services;

// The pay periods' review counts a period's exceptions through the same list the exceptions
// window and command show, so a resolved exception stops counting everywhere at once.
namespace PeriodExceptions {
PeriodReview::ExceptionCounts counter(const Services& services, const Session& session);
} // namespace PeriodExceptions
