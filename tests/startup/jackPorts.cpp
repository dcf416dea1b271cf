#include "jackPorts.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>

#include "appProcess.h"
#include "outsideCommands.h"

namespace {

// jack_lsp -c -p -t writes each port's name flush left, then its
// connections indented with blanks, its properties and its type with a tab.
const std::string kConnectionIndent = "   ";
const std::string kPropertiesTag = "\tproperties: ";
const char kTab = '\t';

void takeLine(std::vector<JackPort>& ports, const std::string& line) {
  if (line.empty()) return;
  if (line.rfind(kPropertiesTag, 0) == 0) {
    ports.back().properties = line.substr(kPropertiesTag.size());
  } else if (line[0] == kTab) {
    ports.back().type = line.substr(1);
  } else if (line.rfind(kConnectionIndent, 0) == 0) {
    ports.back().connections.push_back(line.substr(kConnectionIndent.size()));
  } else {
    ports.push_back(JackPort{line, "", "", {}});
  }
}

}  // namespace

bool JackPort::has(const std::string& property) const {
  std::istringstream list(properties);
  for (std::string item; std::getline(list, item, ',');)
    if (item == property) return true;
  return false;
}

std::vector<JackPort> listPorts(const JackServer& server) {
  AppOptions options;
  options.program = "jack_lsp";
  options.arguments = {"-s", server.name(), "-c", "-p", "-t"};
  options.environment = {JackServer::noStartEntry()};
  AppProcess lister(options);
  const auto status = lister.waitForExit();
  if (!status || !status->exitedWith(0)) throw std::runtime_error("jack_lsp failed: " + lister.stderrText());
  std::vector<JackPort> ports;
  for (const auto& line : lister.stdoutLines()) {
    if (ports.empty() && !line.empty() && (line[0] == kTab || line[0] == ' '))
      throw std::runtime_error("jack_lsp: detail before any port: " + line);
    takeLine(ports, line);
  }
  return ports;
}

std::optional<std::vector<std::string>> jackProperties(const JackServer& server) {
  requireCommand("jack_property");
  AppOptions options;
  options.program = "jack_property";
  options.arguments = {"-l"};
  options.environment = {server.defaultServerEntry(), JackServer::noStartEntry()};
  AppProcess lister(options);
  const auto status = lister.waitForExit();
  if (!status) throw std::runtime_error("jack_property did not end: " + lister.stderrText());
  if (!status->exitedWith(0)) return std::nullopt;
  return lister.stdoutLines();
}

std::vector<JackPort> portsOfClient(const std::vector<JackPort>& ports, const std::string& client) {
  std::vector<JackPort> owned;
  for (const auto& port : ports)
    if (port.client() == client) owned.push_back(port);
  return owned;
}

std::vector<std::string> namesOf(const std::vector<JackPort>& ports) {
  std::vector<std::string> names;
  for (const auto& port : ports) names.push_back(port.name);
  return names;
}

std::vector<std::string> clientsOf(const std::vector<JackPort>& ports) {
  std::vector<std::string> clients;
  for (const auto& port : ports)
    if (std::find(clients.begin(), clients.end(), port.client()) == clients.end()) clients.push_back(port.client());
  return clients;
}
