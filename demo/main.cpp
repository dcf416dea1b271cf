// The headless demo: plays a scripted session with the real program under
// private X and JACK servers, with a tone through every channel, and leaves
// pictures, the trace and a summary in an output folder.
#include <filesystem>
#include <iostream>

#include "demoReport.h"
#include "demoScript.h"
#include "demoSession.h"
#include "plotter.h"
#include "sessionPlayer.h"

namespace {

const char* const kDefaultFolder = "/tmp/zelquor-demo";
// Room for the recording: the script takes well under a minute.
constexpr double kMaxRecordingSeconds = 600.0;
constexpr int kFailureStatus = 1;
const std::string kPicturePrefix = "board-";

// Files of an earlier run that this run might not write must not pass for its own.
std::string prepareFolder(const std::string& wanted) {
  std::filesystem::create_directories(wanted);
  const std::string folder = std::filesystem::canonical(wanted).string();
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(kPicturePrefix, 0) == 0 || name == kPlotFile || name == kMessagesFile)
      std::filesystem::remove(entry.path());
  }
  return folder;
}

DemoOutcome playAndReport(const std::string& folder) {
  PlayerSetting setting{ZELQUOR_DEMO_PROGRAM, ZELQUOR_DEMO_PROJECT_ROOT, kMaxRecordingSeconds};
  SessionPlayer player(setting);
  DemoOutcome outcome;
  outcome.projectRoot = setting.projectRoot;
  outcome.checkpoints = playScript(player, demoScript(), folder);
  outcome.recordedCycles = player.meter().recordedCycles();
  outcome.exit = player.close();
  writeReport(player, outcome, folder);
  return outcome;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string folder = prepareFolder(argc > 1 ? argv[1] : kDefaultFolder);
    const DemoOutcome outcome = playAndReport(folder);
    drawPictures(folder);
    std::cerr << "zelquor demo: done; results in " << folder << " (start with " << folder << "/" << kSummaryFile
              << " and " << folder << "/" << kPlotFile << ")" << std::endl;
    const bool closedWell = outcome.exit && outcome.exit->exitedWith(0);
    return closedWell ? 0 : kFailureStatus;
  } catch (const std::exception& error) {
    std::cerr << "zelquor demo: " << error.what() << std::endl;
    return kFailureStatus;
  }
}
