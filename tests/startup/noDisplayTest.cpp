// Without a display the program ends at once, with one line that says so,
// status 1 and no signal, before the audio engine is created.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "appProcess.h"
#include "noDisplay.h"
#include "startupLines.h"

namespace {

// With no JACK server, an engine that was created would say "JACK server
// not running ?"; so its absence shows that none was.
void expectEndsForWantOfDisplay(const std::vector<std::string>& environment) {
  AppOptions options;
  options.environment = absentJackServerEntries();
  options.environment.insert(options.environment.end(), environment.begin(), environment.end());
  AppProcess app(options);
  expectNoDisplayEnd(app);
  EXPECT_EQ(app.stderrText().find(kNoServerMessage), std::string::npos) << app.stderrText();
}

TEST(NoDisplay, UnsetDisplayEndsWithOneLineAndStatusOne) { expectEndsForWantOfDisplay({}); }

TEST(NoDisplay, DisplayWithoutServerEndsWithOneLineAndStatusOne) {
  expectEndsForWantOfDisplay({"DISPLAY=" + unusedDisplayName()});
}

}  // namespace
