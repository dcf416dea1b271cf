// Every trace line reaches standard output as soon as it is written, not
// when a buffer happens to fill: the lines are read here straight from a
// pipe, without any flush by the test.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "boardFixture.h"
#include "keyboard.h"
#include "pointerInput.h"

class TraceOutputTest : public BoardFixture {};

namespace {

template <typename Action>
std::string unflushedOutputOf(Action&& action) {
  std::cout.flush();
  std::fflush(stdout);
  int ends[2];
  if (pipe(ends) != 0) return "no pipe";
  const int saved = dup(STDOUT_FILENO);
  dup2(ends[1], STDOUT_FILENO);
  action();
  fcntl(ends[0], F_SETFL, O_NONBLOCK);
  std::string text;
  char chunk[4096];
  ssize_t got;
  while ((got = read(ends[0], chunk, sizeof chunk)) > 0) text.append(chunk, static_cast<size_t>(got));
  // Whatever a buffer still held goes into the pipe, never read.
  std::cout.flush();
  std::fflush(stdout);
  dup2(saved, STDOUT_FILENO);
  close(saved);
  close(ends[0]);
  close(ends[1]);
  return text;
}

}  // namespace

TEST_F(TraceOutputTest, EveryLineIsOutAtOnce) {
  EXPECT_EQ(unflushedOutputOf([] { onClick(pressEvent(67, 73)); }),
            leftPressLines(67, 73) + "pad=0\n" + gainLine(0, "0", "1.003"));
  EXPECT_EQ(unflushedOutputOf([] { onMouseMove(moveEvent(200, 300)); }),
            moveLines(200, 300) + gainLine(17, "17.4929", "0.705621"));
  EXPECT_EQ(unflushedOutputOf([] { onMouseUp(releaseEvent(200, 300)); }), releaseLine() + endDragLine());
  EXPECT_EQ(unflushedOutputOf([] { onClick(pressEvent(1020, 250)); }), leftPressLines(1020, 250) + "cy=3bouton = 3\n");
  EXPECT_EQ(unflushedOutputOf([] { onClick(pressEvent(1028, 63)); }),
            leftPressLines(1028, 63) + "bouton: Déplacer groupe\n");
  EXPECT_EQ(unflushedOutputOf([] { onKeyPressed(keyEvent(kKeyS)); }), "key:18 c\n");
  EXPECT_EQ(unflushedOutputOf([] { onClick(pressEvent(997, 92)); }),
            leftPressLines(997, 92) + "bouton: mute \nmessage=/Canaux0/canal17\n");
}
