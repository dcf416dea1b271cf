// Two copies of the program on one server: the server gives the second
// client a name of its own, and both run with all their ports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "appProcess.h"
#include "jackPorts.h"
#include "jackServer.h"
#include "runEnvironment.h"
#include "startupLines.h"
#include "xServer.h"

namespace {

constexpr size_t kPortsPerClient = 126;
const std::string kClient = kProgramClientName;
const std::string kServerClient = "system";

TEST(SecondInstance, ServerRenamesTheSecondClientAndBothRun) {
  XServer x;
  JackServer jack;
  AppOptions options;
  options.environment = environmentOn(x, jack);
  AppProcess first(options);
  ASSERT_TRUE(first.waitForLine(kRunningLine)) << first.stderrText();
  AppProcess second(options);
  ASSERT_TRUE(second.waitForLine(kRunningLine)) << second.stderrText();

  const auto ports = listPorts(jack);
  std::vector<std::string> clients;
  for (const auto& client : clientsOf(ports))
    if (client != kServerClient) clients.push_back(client);
  ASSERT_EQ(clients.size(), 2u) << testing::PrintToString(clients);
  EXPECT_EQ(clients[0], kClient);
  EXPECT_EQ(clients[1].rfind(kClient + "-", 0), 0u) << clients[1];
  for (const auto& client : clients) {
    const auto owned = portsOfClient(ports, client);
    EXPECT_EQ(owned.size(), kPortsPerClient) << client;
    for (const auto& port : owned) EXPECT_TRUE(port.connections.empty()) << port.name;
  }
  EXPECT_TRUE(first.running());
  EXPECT_TRUE(second.running());
}

}  // namespace
