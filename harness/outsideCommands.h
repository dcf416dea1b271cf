// The outside commands that the harness and the tests run (jackd,
// jack_wait, Xvfb, xdotool, pw-cli...): whether one is installed, and when
// it is not, a reason that names it and the package that brings it.
#ifndef ZELQUOR_HARNESS_OUTSIDE_COMMANDS_H
#define ZELQUOR_HARNESS_OUTSIDE_COMMANDS_H

#include <string>

// Whether NAME is an executable file in one of the folders of PATH.
bool commandInstalled(const std::string& name);

// "the command NAME is missing: it comes with the Debian package ...".
std::string missingCommandReason(const std::string& name);

// Throws std::runtime_error with that reason when NAME is not installed.
void requireCommand(const std::string& name);

#endif
