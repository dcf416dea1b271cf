// Tells whether a JACK server answers, without ever starting one: status 0
// when a client opens on it, 1 when none does. The launcher asks it before
// the program starts, on the JACK library the program would use.
#include <jack/jack.h>

namespace {

void quiet(const char*) {}

}  // namespace

int main() {
  jack_set_error_function(quiet);
  jack_set_info_function(quiet);
  jack_client_t* client = jack_client_open("zelquorProbe", JackNoStartServer, nullptr);
  if (client == nullptr) return 1;
  jack_client_close(client);
  return 0;
}
