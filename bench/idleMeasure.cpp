#include <unistd.h>

#include <thread>

#include "systemMeasures.h"
#include "threadState.h"

namespace {
constexpr double kPercent = 100;
}

IdleFigures measureIdle(const SubjectRun& run, double seconds) {
  const pid_t pid = run.process().pid();
  const long threadBefore = mainThreadCpuTicks(pid), processBefore = processCpuTicks(pid);
  const long wakeUpsBefore = mainThreadWakeUps(pid);
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  const double ticks = static_cast<double>(sysconf(_SC_CLK_TCK)) * seconds;
  return {kPercent * static_cast<double>(mainThreadCpuTicks(pid) - threadBefore) / ticks,
          kPercent * static_cast<double>(processCpuTicks(pid) - processBefore) / ticks,
          static_cast<double>(mainThreadWakeUps(pid) - wakeUpsBefore) / seconds};
}
