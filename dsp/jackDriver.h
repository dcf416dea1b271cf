// The packaged JACK driver, ending the process on the server's shutdown
// whichever of its two callbacks the JACK library calls.
#ifndef ZELQUOR_JACK_DRIVER_H
#define ZELQUOR_JACK_DRIVER_H

#include "faust/audio/jack-dsp.h"
#include "serverShutdown.h"

class jackDriver : public jackaudio {
 public:
  using jackaudio::jackaudio;

  // The client stops before the packaged driver's destructor runs: the audio
  // thread must not call into an object whose type is changing under it.
  ~jackDriver() override { stop(); }

  // Callbacks are set while the client is open and not yet active.
  bool init(const char* name, dsp* dsp) override {
    if (!jackaudio::init(name, dsp)) return false;
    jack_on_info_shutdown(fClient, endOnInfoShutdown, nullptr);
    jack_on_shutdown(fClient, endOnShutdown, nullptr);
    return true;
  }
};

#endif
