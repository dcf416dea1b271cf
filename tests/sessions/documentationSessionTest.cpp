// The logo opens the guide built beside the program in the browser (no web
// server on this machine serves the page's address), and the board goes on
// responding while the browser runs; with no browser at all, stderr says so.
#include <signal.h>
#include <unistd.h>

#include <fstream>
#include <thread>

#include "scratchFolder.h"
#include "sessionFixture.h"

namespace {

// The build tree's guide, in the folder of the program.
std::string guideAddress() {
  const std::string program = zelquorExecutable();
  return "file://" + program.substr(0, program.rfind('/')) + "/guide/index.html";
}
constexpr int kBrowserLifeSeconds = 30;
constexpr auto kNoteTimeout = std::chrono::seconds(10);

// A stand-in "firefox" that notes its arguments and its process number,
// then stays running as a browser would.
class StandInBrowser {
 public:
  StandInBrowser() {
    folder_.addCommand("firefox",
                       "exec >/dev/null 2>&1 </dev/null\n"
                       "printf '%s\\n' \"$@\" > '" +
                           notePath() +
                           ".tmp'\n"
                           "echo $$ >> '" +
                           notePath() +
                           ".tmp'\n"
                           "mv '" +
                           notePath() + ".tmp' '" + notePath() +
                           "'\n"
                           "exec sleep " +
                           std::to_string(kBrowserLifeSeconds) + "\n");
  }
  ~StandInBrowser() {
    if (pid_ > 0) kill(pid_, SIGKILL);
  }

  std::string pathEntry() const { return folder_.pathEntry(); }

  // The arguments it was started with; nothing when it was not started.
  std::optional<Lines> awaitArguments() {
    const auto deadline = std::chrono::steady_clock::now() + kNoteTimeout;
    while (access(notePath().c_str(), R_OK) != 0) {
      if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    Lines lines;
    std::ifstream note(notePath());
    for (std::string line; std::getline(note, line);) lines.push_back(line);
    if (lines.empty()) return lines;
    pid_ = std::stoi(lines.back());
    lines.pop_back();
    return lines;
  }

  bool stillRunning() const { return pid_ > 0 && kill(pid_, 0) == 0; }

 private:
  std::string notePath() const { return folder_.path() + "/arguments"; }
  ScratchFolder folder_{"zelquorBrowser"};
  pid_t pid_ = -1;
};

class DocumentationSession : public SessionTest {};

TEST_F(DocumentationSession, LogoOpensThePageAndTheBoardGoesOn) {
  StandInBrowser browser;
  ASSERT_NO_FATAL_FAILURE(startProgram({browser.pathEntry()}));
  // The logo writes nothing of its own; the release and the moves after it
  // come while the browser is still running.
  ASSERT_NO_FATAL_FAILURE(play(clickBesideBoard(1000, 30, {}) +
                               clickOnBoard(67, 73, {padLine(0), gainLine(0, 67, 73)}) + Steps{hear({{0, 1.003f}})}));
  const auto arguments = browser.awaitArguments();
  ASSERT_TRUE(arguments) << "the browser was not started";
  EXPECT_EQ(*arguments, Lines{guideAddress()});
  EXPECT_TRUE(browser.stillRunning());
  closeAndCheckWholeOutput();
}

TEST_F(DocumentationSession, WithoutABrowserStderrSays) {
  const ScratchFolder empty("zelquorNoBrowser");
  ASSERT_NO_FATAL_FAILURE(startProgram({"PATH=" + empty.path()}));
  ASSERT_NO_FATAL_FAILURE(play(clickBesideBoard(1000, 30, {})));
  EXPECT_TRUE(waitForStderr("zelquor: no browser to open the guide (neither firefox nor xdg-open is installed): " +
                            guideAddress() + "\n"));
  closeAndCheckWholeOutput();
}

}  // namespace
