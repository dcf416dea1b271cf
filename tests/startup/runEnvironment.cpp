#include "runEnvironment.h"

#include "appProcess.h"

std::vector<std::string> environmentWithoutJack(const XServer& x) {
  std::vector<std::string> environment = absentJackServerEntries();
  environment.push_back(x.displayEntry());
  return environment;
}
