// Plays a session with the real program as a user would: a private X server
// and dummy JACK server, the program started from the project root, its
// window driven with xdotool, and the demo's tone meter routed through all
// 63 channels. Each action returns once the program has written its lines.
#ifndef ZELQUOR_DEMO_SESSION_PLAYER_H
#define ZELQUOR_DEMO_SESSION_PLAYER_H

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "appProcess.h"
#include "jackServer.h"
#include "programOnServer.h"
#include "toneMeter.h"
#include "xServer.h"
#include "xWindow.h"

struct PlayerSetting {
  std::string program;
  std::string projectRoot;
  double maxRecordingSeconds = 0.0;
};

class SessionPlayer {
 public:
  // Starts both servers, the program and the meter; throws when one of them
  // cannot be had.
  explicit SessionPlayer(const PlayerSetting& setting);
  ~SessionPlayer();
  SessionPlayer(const SessionPlayer&) = delete;
  SessionPlayer& operator=(const SessionPlayer&) = delete;

  void moveTo(int x, int y);
  // From where the pointer is to (x, y) in this many equal moves.
  void glideTo(int x, int y, int moves);
  void press();
  void release();
  void clickAt(int x, int y);
  // A key by its X name, and the code the program writes for it.
  void key(const std::string& name, int code);

  // Waits until the program has written nothing more for a moment, and the
  // meter has heard a few cycles since.
  void settle();
  void pause(double seconds) const;
  void screenshot(const std::string& pngPath) const;
  // Closes the window as a window manager would; the program's exit status.
  std::optional<ExitStatus> close();

  const ToneMeter& meter() const { return *meter_; }
  // The program's whole standard output so far.
  std::vector<std::string> output() const { return program_.app->stdoutLines(); }
  std::string messages() const { return program_.app->stderrText(); }
  std::string displayName() const { return x_.displayName(); }
  std::string jackServerName() const { return program_.jack->name(); }

 private:
  // Empty when the program runs with the meter routed through it, else
  // what went wrong.
  std::string tryToStart(const PlayerSetting& setting);
  void expectLine(const std::string& line, const std::string& after);

  XServer x_;
  ProgramOnServer program_;
  std::unique_ptr<XWindow> window_;
  std::unique_ptr<ToneMeter> meter_;
  int pointerX_ = -1;
  int pointerY_ = -1;
};

#endif
