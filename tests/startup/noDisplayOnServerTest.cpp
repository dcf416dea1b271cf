// Without a display, even with a JACK server at hand, the program ends
// before its engine opens a client: it lists no physical port.
#include <gtest/gtest.h>

#include "appProcess.h"
#include "jackServer.h"
#include "noDisplay.h"

namespace {

TEST(NoDisplayOnServer, EndsBeforeTheEngineOpensAClient) {
  JackServer jack;
  AppOptions options;
  options.environment = {jack.defaultServerEntry(), JackServer::noStartEntry()};
  AppProcess app(options);
  expectNoDisplayEnd(app);
}

}  // namespace
