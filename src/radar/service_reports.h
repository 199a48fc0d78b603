#pragma once

#include <string>

#include "state/context.h"
#include "state/task.h"

namespace korvex {

// The radar report: the row's current figures, as the cells hold them.
std::string radarReportAddress(const Context& ctx, int rbRow);
// The bet report, built from a row of the bet journal SBX.
std::string betReportAddress(const Context& ctx, int sbxRow);
// Reports go out on IdHTTP2, each on a fresh connection; the service's answer carries
// nothing for us, and a report that did not get through is not retried.
// One that fails is told in the status bar.
Task<> sendReport(Context& ctx, std::string address);

}  // namespace korvex
