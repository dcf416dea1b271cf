// The packaged JACK driver, ending the process on the server's shutdown
// whichever of its two callbacks the JACK library calls, behaving the same
// on every release of the engine when no client can be opened, and naming
// its ports for patchbays (portNames.h).
#ifndef ZELQUOR_JACK_DRIVER_H
#define ZELQUOR_JACK_DRIVER_H

#include "faust/audio/jack-dsp.h"
#include "portNames.h"
#include "serverShutdown.h"
#include "startedServerOutput.h"

class jackDriver : public jackaudio {
 public:
  using jackaudio::jackaudio;

  // The client stops before the packaged driver's destructor runs: the audio
  // thread must not call into an object whose type is changing under it.
  ~jackDriver() override { stop(); }

  // Callbacks are set while the client is open and not yet active.
  //
  // When no client opens (no server answers, or the server refuses it), the
  // packaged driver has already said so on standard error, and the driver
  // still reports itself ready, without a client. Told otherwise, the engine
  // of one release frees the driver and fails only its start, and that of
  // another frees the channel gain block and throws from the facade's
  // constructor, a static object of the program. Kept ready, every release
  // keeps the block, takes parameter writes and fails only the start, and no
  // exception crosses the facade.
  //
  // A server that the JACK library starts while the client opens writes to
  // standard error, never into the trace.
  bool init(const char* name, dsp* dsp) override {
    bool opened = false;
    {
      startedServerOutputAside aside;
      opened = jackaudio::init(name, dsp);
    }
    if (!opened) return true;
    jack_on_info_shutdown(fClient, endOnInfoShutdown, nullptr);
    jack_on_shutdown(fClient, endOnShutdown, nullptr);
    // The block given, the packaged driver has registered its ports.
    if (dsp != nullptr) names.begin(fClient, fInputPorts, fOutputPorts);
    return true;
  }

  // Without a client there is nothing to activate: the engine stays stopped.
  bool start() override {
    names.finish();
    return fClient != nullptr && jackaudio::start();
  }

  // The engine stops once, at the program's end: the names go with it.
  void stop() override {
    names.finish();
    jackaudio::stop();
    names.forget();
  }

 private:
  portNames names;
};

#endif
