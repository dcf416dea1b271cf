#include "demoReport.h"

#include <cmath>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <stdexcept>

#include "boardFacts.h"

const char* const kTraceFile = "trace.txt";
const char* const kMessagesFile = "messages.txt";
const char* const kLevelsFile = "levels.csv";
const char* const kEventsFile = "events.csv";
const char* const kSummaryFile = "summary.txt";
const char* const kPlotFile = "levels.png";

namespace {

constexpr int kGainDigits = 4;
constexpr int kLevelDigits = 6;

std::ofstream openFile(const std::string& folder, const std::string& name) {
  std::ofstream file(folder + "/" + name);
  if (!file) throw std::runtime_error("cannot write " + folder + "/" + name);
  return file;
}

std::string quoted(const std::string& text) {
  std::string result = "\"";
  for (char c : text) result += c == '"' ? std::string("\"\"") : std::string(1, c);
  return result + "\"";
}

std::string gainText(float gain) {
  if (gain == 0.0f) return "0";
  std::ostringstream text;
  text << std::setprecision(kGainDigits) << gain;
  return text.str();
}

std::string seconds(const SessionPlayer& player, long cycle) {
  std::ostringstream text;
  text << std::fixed << std::setprecision(3) << cycle * player.meter().secondsPerCycle();
  return text.str();
}

std::string channelName(int channel) {
  const auto pads = padsOfChannel(channel);
  std::string name = "channel " + std::to_string(channel) + " (pad " + std::to_string(pads.front());
  if (pads.size() > 1) name += " x pad " + std::to_string(pads.back());
  return name + ")";
}

void writeTrace(const SessionPlayer& player, const std::string& folder) {
  auto file = openFile(folder, kTraceFile);
  for (const auto& line : player.output()) file << line << "\n";
  const std::string messages = player.messages();
  if (!messages.empty()) openFile(folder, kMessagesFile) << messages;
}

void writeLevels(const SessionPlayer& player, long cycles, const std::string& folder) {
  auto file = openFile(folder, kLevelsFile);
  file << "time_s";
  for (int k = 0; k < kChannelCount; ++k) file << ",out_" << k;
  file << "\n" << std::setprecision(kLevelDigits);
  for (long cycle = 0; cycle < cycles; cycle += kCyclesPerLevelRow) {
    file << seconds(player, cycle);
    for (float level : player.meter().levelsOf(cycle)) file << "," << level;
    file << "\n";
  }
}

void writeEvents(const SessionPlayer& player, const std::vector<Checkpoint>& checkpoints, const std::string& folder) {
  auto file = openFile(folder, kEventsFile);
  file << "number,start_s,end_s,trace_lines,screenshot,label,caption\n";
  for (const auto& c : checkpoints)
    file << c.number << "," << seconds(player, c.startCycle) << "," << seconds(player, c.endCycle) << ","
         << c.traceLines << "," << c.screenshot << "," << quoted(c.label) << "," << quoted(c.caption) << "\n";
}

void writeSetting(std::ostream& out, const SessionPlayer& player, const DemoOutcome& outcome, size_t events) {
  const ToneMeter& meter = player.meter();
  out << "Zelquor headless demo\n=====================\n\n"
      << "What ran\n"
      << "  The real program, started in " << outcome.projectRoot << ", under a private X server\n"
      << "  (Xvfb, display " << player.displayName() << ") and a private dummy JACK server \""
      << player.jackServerName() << "\"\n"
      << "  (" << meter.sampleRate() << " Hz, " << meter.framesPerCycle() << " frames per cycle).\n"
      << "  A JACK client of the demo fed a " << meter.toneFrequency() << " Hz sine of amplitude "
      << ToneMeter::kAmplitude << " (RMS " << std::setprecision(kGainDigits) << ToneMeter::toneRms() << ")\n"
      << "  into all 63 inputs " << kProgramClientName
      << ":in_0..in_62 and measured the RMS of all 63 outputs in every\n"
      << "  cycle (every " << std::setprecision(3) << meter.secondsPerCycle() * 1000 << " ms). "
      << "The gain heard on a channel is its output RMS / " << std::setprecision(kGainDigits) << ToneMeter::toneRms()
      << ".\n"
      << "  The window was driven with xdotool: " << events << " scripted events, listed below.\n"
      << "  Channel k < 39 is pad k; channel 39 is pad 39 x pad 40; channel k > 39 is pad k + 1.\n\n";
}

void writeChanges(std::ostream& out, const ChannelLevels& before, const Checkpoint& c) {
  bool any = false;
  for (int k = 0; k < kChannelCount; ++k) {
    if (std::fabs(before[k] - c.heard[k]) <= kGainTolerance) continue;
    out << "         " << channelName(k) << ": " << gainText(before[k]) << " -> " << gainText(c.heard[k]);
    if (silencedUntold(c, k)) out << "  (silenced by the group mute, which writes no gain line)";
    out << "\n";
    any = true;
  }
  if (!any) out << "         no gain changed\n";
}

void writeEventList(std::ostream& out, const SessionPlayer& player, const std::vector<Checkpoint>& checkpoints) {
  out << "Events (seconds from the start of the recording; the gains heard once each was done)\n";
  ChannelLevels before{};
  for (const auto& c : checkpoints) {
    out << "  " << std::setw(2) << c.number << "  " << seconds(player, c.startCycle) << " to "
        << seconds(player, c.endCycle) << "  " << c.label << "\n";
    writeChanges(out, before, c);
    if (!c.screenshot.empty()) out << "         picture: " << c.screenshot << " (" << c.caption << ")\n";
    before = c.heard;
  }
  out << "\n";
}

void writeCheck(std::ostream& out, const std::vector<Checkpoint>& checkpoints) {
  size_t agreeing = 0;
  std::ostringstream disagreements;
  for (const auto& c : checkpoints) {
    if (agreesEverywhere(c)) ++agreeing;
    for (int k = 0; k < kChannelCount; ++k)
      if (!agrees(c, k))
        disagreements << "  event " << c.number << ", " << channelName(k) << ": heard " << gainText(c.heard[k])
                      << ", the trace says " << gainText(c.told[k]) << "\n";
  }
  out << "Check against the trace\n"
      << "  After each event the 63 gains heard were compared with the gains that the program's\n"
      << "  trace (" << kTraceFile << ") says it sent: " << agreeing << " of " << checkpoints.size()
      << " events agree on all 63 channels.\n"
      << "  (A group mute silences pads without writing a gain line; a channel heard silent after\n"
      << "  one counts as agreeing.)\n"
      << disagreements.str() << "\n";
}

void writeEnd(std::ostream& out, const DemoOutcome& outcome) {
  out << "Gains at the end\n";
  const ChannelLevels& last = outcome.checkpoints.back().heard;
  for (int k = 0; k < kChannelCount; ++k)
    if (last[k] != 0.0f) out << "  " << channelName(k) << ": " << gainText(last[k]) << "\n";
  out << "  every other channel: 0 (silent)\n\n";
  out << "Program\n  ";
  if (!outcome.exit) out << "still running after the window was closed; it was stopped";
  else out << *outcome.exit << " after the window was closed";
  out << "\n\n";
}

void writeFileList(std::ostream& out, const std::vector<Checkpoint>& checkpoints) {
  out << "Files\n"
      << "  " << kPlotFile << "    the 63 channel gains over time (heat map), the events marked\n";
  for (const auto& c : checkpoints)
    if (!c.screenshot.empty()) out << "  " << c.screenshot << "  the window after event " << c.number << "\n";
  out << "  " << kTraceFile << "     the program's standard output\n"
      << "  " << kMessagesFile << "  its standard error, when it wrote any\n"
      << "  " << kLevelsFile << "    output RMS of every channel, one row every " << kCyclesPerLevelRow << " cycles\n"
      << "  " << kEventsFile << "    the events with their times\n";
}

void writeSummary(const SessionPlayer& player, const DemoOutcome& outcome, const std::string& folder) {
  auto file = openFile(folder, kSummaryFile);
  writeSetting(file, player, outcome, outcome.checkpoints.size());
  writeEventList(file, player, outcome.checkpoints);
  writeCheck(file, outcome.checkpoints);
  writeEnd(file, outcome);
  writeFileList(file, outcome.checkpoints);
}

}  // namespace

void writeReport(const SessionPlayer& player, const DemoOutcome& outcome, const std::string& folder) {
  writeTrace(player, folder);
  writeLevels(player, outcome.recordedCycles, folder);
  writeEvents(player, outcome.checkpoints, folder);
  writeSummary(player, outcome, folder);
}
