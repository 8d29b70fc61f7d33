#pragma once
// Gives the communication server's processes a high scheduling priority.
namespace shell {

// Every running process whose executable name contains "TERVALO" (in any case) gets the
// platform's high priority. Processes that cannot be changed are skipped; nothing is
// reported.
void RaiseServerPriority();

// The niceness that stands for the high priority class.
inline constexpr int HighPriorityNice = -10;

}  // namespace shell
