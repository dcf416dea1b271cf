#include "runEnvironment.h"

#include <cstdlib>

#include "appProcess.h"

std::vector<std::string> environmentWithoutJack(const XServer& x) {
  std::vector<std::string> environment = absentJackServerEntries();
  environment.push_back(x.displayEntry());
  return environment;
}

std::vector<std::string> preloadEntries(const std::string& library) {
  const char* asanOptions = std::getenv("ASAN_OPTIONS");
  return {"LD_PRELOAD=" + library,
          "ASAN_OPTIONS=" + std::string(asanOptions ? asanOptions : "") + ":verify_asan_link_order=0"};
}
