# Writes the engine facade from the packaged API architecture, hosting our
# channel gain block and routing parameter writes and server shutdown
# through our own code. Run with -DARCHITECTURE=<DspFaust.cpp> -DOUTPUT=<file>.
file(READ "${ARCHITECTURE}" text)

function(substitute pattern replacement)
  string(FIND "${text}" "${pattern}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "engine facade: '${pattern}' not found in ${ARCHITECTURE}")
  endif()
  string(REPLACE "${pattern}" "${replacement}" replaced "${text}")
  set(text "${replaced}" PARENT_SCOPE)
endfunction()

substitute("\n<<includeIntrinsic>>\n" "\n")
substitute("\n<<includeclass>>\n" "\n#include \"mydsp.h\"\n#include \"parameterAddress.h\"\n")

# Only the 64 full addresses name a parameter; anything else is ignored
# without a message, a null address included.
substitute("    fPolyEngine->setParamValue(address, value);"
"    const int id = parameterIndexOf(address);
    if (id >= 0) fPolyEngine->setParamValue(id, value);")
substitute("    return fPolyEngine->getParamValue(address);"
"    const int id = parameterIndexOf(address);
    return id >= 0 ? fPolyEngine->getParamValue(id) : 0.0f;")

# The packaged driver ends the process with exit(1) on the audio library's
# thread, and only when the informative shutdown callback is called; ours
# ends it without running static destructors, on either callback.
substitute("    driver = new jackaudio(auto_connect);"
"    driver = new jackDriver(auto_connect);")
substitute("DspFaust::DspFaust(bool auto_connect)\n{"
"#include \"jackDriver.h\"\n\nDspFaust::DspFaust(bool auto_connect)\n{")

file(WRITE "${OUTPUT}.tmp" "${text}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
