// Preloaded into the program (LD_PRELOAD) to stand for a JACK server that
// keeps no metadata: every property the program sets is refused, as such a
// server refuses it.
#include <jack/metadata.h>

extern "C" int jack_set_property(jack_client_t*, jack_uuid_t, const char*, const char*, const char*) { return -1; }
