#include "ownShm.h"

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cstdlib>

namespace {

// A process started with a server named for it (the package's check of the
// installed program starts its jackd outside) must see that server, whose
// sockets are in /dev/shm too.
bool givenServer() { return std::getenv("JACK_DEFAULT_SERVER") != nullptr; }

// A new mount namespace, its /dev/shm made private to it, then a fresh
// tmpfs over that. Only /dev/shm, not "/": in a chroot "/" is no mount of
// its own and cannot be made private. Where /dev/shm cannot be made
// private, a tmpfs there would be mounted for the whole machine: then
// nothing is mounted.
bool ownShm() {
  if (geteuid() != 0 || givenServer() || unshare(CLONE_NEWNS) != 0) return false;
  if (mount(nullptr, "/dev/shm", nullptr, MS_PRIVATE, nullptr) != 0) return false;
  return mount("shm", "/dev/shm", "tmpfs", MS_NOSUID | MS_NODEV, "mode=1777") == 0;
}

}  // namespace

bool takeOwnShm() {
  static const bool taken = ownShm();
  return taken;
}
