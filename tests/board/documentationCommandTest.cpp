// The logo opens the documentation in a browser that runs in the
// background: the board never waits for it. A stand-in browser first on
// PATH records its arguments, then stays up far longer than any press may
// take. Which address and which browser are chosen is checked on the
// choices themselves.
#include <dirent.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "boardFixture.h"
#include "documentationPage.h"
#include "pointerInput.h"
#include "scratchFolder.h"

namespace {

using namespace std::chrono_literals;

constexpr const char* kCallPrefix = "call.";
// Far beyond the time a press may take: only a board that waits for the
// browser comes near it.
constexpr auto kPressBound = 10s;
constexpr auto kRecordWait = 10s;
constexpr auto kPoll = 20ms;

// Each run writes its arguments, one a line, to call.<its pid>, then sleeps
// under that same pid.
std::string standInScript(const std::string& folder) {
  return "printf '%s\\n' \"$@\" > '" + folder +
         "/partial.'$$\n"
         "mv '" +
         folder + "/partial.'$$ '" + folder +
         "/call.'$$\n"
         "exec sleep 60\n";
}

struct browserCall {
  pid_t pid;
  std::string arguments;
};

class StandInBrowser : public BoardFixture {
 protected:
  void SetUp() override {
    BoardFixture::SetUp();
    folder_.addCommand("firefox", standInScript(folder_.path()));
    const char* path = std::getenv("PATH");
    savedPath_ = path ? path : "";
    setenv("PATH", folder_.searchPath().c_str(), 1);
  }

  void TearDown() override {
    setenv("PATH", savedPath_.c_str(), 1);
    for (const browserCall& call : calls()) kill(call.pid, SIGKILL);
  }

  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder_.path().c_str())) {
      while (dirent* entry = readdir(dir))
        if (entry->d_name[0] != '.') names.push_back(entry->d_name);
      closedir(dir);
    }
    return names;
  }

  std::vector<browserCall> calls() const {
    std::vector<browserCall> found;
    for (const std::string& name : entries()) {
      if (name.rfind(kCallPrefix, 0) != 0) continue;
      std::ifstream in(folder_.path() + "/" + name);
      std::stringstream text;
      text << in.rdbuf();
      found.push_back({static_cast<pid_t>(std::stoi(name.substr(std::string(kCallPrefix).size()))), text.str()});
    }
    return found;
  }

  std::vector<browserCall> waitForCalls(size_t count) const {
    const auto deadline = std::chrono::steady_clock::now() + kRecordWait;
    while (calls().size() < count && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(kPoll);
    return calls();
  }

  ScratchFolder folder_{"zelquorBrowser"};
  std::string savedPath_;
};

}  // namespace

TEST_F(StandInBrowser, LogoPressOpensThePageWithoutWaiting) {
  const auto start = std::chrono::steady_clock::now();
  const std::string trace = press(1030, 30);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(took, kPressBound);
  EXPECT_EQ(trace, leftPressLines(1030, 30));
  const std::vector<browserCall> made = waitForCalls(1);
  ASSERT_EQ(made.size(), 1u);
  // Beside the test there is no guide: the page's address.
  EXPECT_EQ(made[0].arguments, "http://localhost/Documents/Programmation/index.php?page=Zelquor64\n");
}

TEST_F(StandInBrowser, LogoZoneBorders) {
  const int outside[][2] = {{990, 30}, {1066, 30}, {1030, 14}, {1030, 48}};
  for (const auto& p : outside) EXPECT_EQ(press(p[0], p[1]), leftPressLines(p[0], p[1]));
  press(991, 15, kRightButton);
  ASSERT_EQ(waitForCalls(1).size(), 1u);
  press(1065, 47);
  EXPECT_EQ(waitForCalls(2).size(), 2u);
  EXPECT_EQ(genActif, kNone);
}


namespace {

// Makes the files (executable when named so) under a new folder.
std::string folderWith(const std::vector<std::string>& files, bool executable = false) {
  char pattern[] = "/tmp/zelquorGuideXXXXXX";
  const std::string folder = mkdtemp(pattern);
  for (const std::string& file : files)
    EXPECT_EQ(std::system(("mkdir -p $(dirname " + folder + file + ") && touch " + folder + file +
                           (executable ? " && chmod +x " + folder + file : "")).c_str()), 0);
  return folder;
}

// The port of a server that answers one request with `reply`, or with
// nothing for 3 s when it is empty.
int oneReplyServer(const std::string& reply, std::thread& server) {
  const int listener = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
  socklen_t size = sizeof address;
  bind(listener, reinterpret_cast<sockaddr*>(&address), size);
  listen(listener, 1);
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
  server = std::thread([listener, reply] {
    const int client = accept(listener, nullptr, nullptr);
    char request[512];
    (void)!recv(client, request, sizeof request, 0);
    if (reply.empty()) std::this_thread::sleep_for(3s);
    (void)!send(client, reply.data(), reply.size(), 0);
    close(client);
    close(listener);
  });
  return ntohs(address.sin_port);
}

}  // namespace

TEST(DocumentationChoice, ServedPageElseGuideElseAddress) {
  const std::string tree = folderWith({"/guide/index.html"});
  const std::string installed = folderWith({"/libexec/zelquor/zelquor", "/share/doc/zelquor/guide/index.html"});
  const std::string url = "http://localhost/Documents/Programmation/index.php?page=Zelquor64";
  EXPECT_EQ(documentationAddress(true, tree), url);
  EXPECT_EQ(documentationAddress(false, tree), "file://" + tree + "/guide/index.html");
  EXPECT_EQ(documentationAddress(false, installed + "/libexec/zelquor"),
            "file://" + installed + "/libexec/zelquor/../../share/doc/zelquor/guide/index.html");
  EXPECT_EQ(documentationAddress(false, installed), url);
  EXPECT_EQ(fileAddress("/a b/é#?.html"), "file:///a%20b/%C3%A9%23%3F.html");
  EXPECT_EQ(std::system(("rm -r " + tree + " " + installed).c_str()), 0);
}

TEST(DocumentationChoice, OnlyAPageCountsAsServed) {
  const std::pair<std::string, bool> replies[] = {
      {"HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n<html></html>", true},
      {"HTTP/1.0 404 Not Found\r\n\r\n", false},
      {"", false}};
  for (const auto& [reply, served] : replies) {
    std::thread server;
    const int port = oneReplyServer(reply, server);
    EXPECT_EQ(pageServed(port), served) << reply;
    server.join();
    EXPECT_FALSE(pageServed(port)) << "nothing listens there any more";
  }
}

TEST(DocumentationChoice, FirefoxElseTheDesktopsBrowser) {
  const std::string both = folderWith({"/firefox", "/xdg-open"}, true);
  const std::string desktop = folderWith({"/xdg-open"}, true);
  const std::string none = folderWith({"/firefox"});  // not a command
  EXPECT_EQ(browserCommand(desktop + ":" + both), "firefox");
  EXPECT_EQ(browserCommand(none + "::" + desktop), "xdg-open");
  EXPECT_EQ(browserCommand(none), "");
  EXPECT_EQ(std::system(("rm -r " + both + " " + desktop + " " + none).c_str()), 0);
}
