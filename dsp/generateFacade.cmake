# Writes the engine facade from the packaged API architecture, hosting our
# channel gain block and routing parameter writes and server shutdown
# through our own code. Run with -DARCHITECTURE=<DspFaust.cpp> -DOUTPUT=<file>.
#
# Every release of the architecture we build on (2.54, 2.79, 2.88) goes
# through the same substitutions. Each one names the function it belongs to
# and must apply exactly once inside that function's body: a text that moved
# (from 2.88 on, the driver line the program's constructor had is found only
# in another constructor) stops the build naming the substitution, rather
# than yielding a facade that silently runs the packaged code.
file(READ "${ARCHITECTURE}" text)

function(refuse what)
  string(REPLACE "\n" "\\n" what "${what}")
  message(FATAL_ERROR "engine facade: ${what}, in ${ARCHITECTURE}")
endfunction()

# How many times `pattern` occurs in `haystack`.
function(occurrences haystack pattern result)
  string(LENGTH "${haystack}" before)
  string(REPLACE "${pattern}" "" stripped "${haystack}")
  string(LENGTH "${stripped}" after)
  string(LENGTH "${pattern}" size)
  math(EXPR count "(${before} - ${after}) / ${size}")
  set(${result} ${count} PARENT_SCOPE)
endfunction()

# Stops the build unless `pattern` occurs exactly once in `haystack`;
# `where` ends the message.
function(requireOnce haystack pattern where)
  occurrences("${haystack}" "${pattern}" count)
  if(NOT count EQUAL 1)
    refuse("'${pattern}' found ${count} times instead of once${where}")
  endif()
endfunction()

# Replaces `pattern`, which must occur exactly once in the whole file.
function(substitute pattern replacement)
  requireOnce("${text}" "${pattern}" "")
  string(REPLACE "${pattern}" "${replacement}" replaced "${text}")
  set(text "${replaced}" PARENT_SCOPE)
endfunction()

# Replaces `pattern` in the body of the one function whose definition starts
# with `head`, the body ending at the first closing brace that starts a line;
# the pattern must occur exactly once there.
function(substituteIn head pattern replacement)
  requireOnce("${text}" "${head}" "")
  string(FIND "${text}" "${head}" start)
  string(SUBSTRING "${text}" 0 ${start} before)
  string(SUBSTRING "${text}" ${start} -1 rest)
  string(FIND "${rest}" "\n}\n" end)
  if(end EQUAL -1)
    refuse("no end to the body of '${head}'")
  endif()
  math(EXPR end "${end} + 3")
  string(SUBSTRING "${rest}" 0 ${end} body)
  string(SUBSTRING "${rest}" ${end} -1 after)
  requireOnce("${body}" "${pattern}" " in the body of '${head}'")
  string(REPLACE "${pattern}" "${replacement}" body "${body}")
  set(text "${before}${body}${after}" PARENT_SCOPE)
endfunction()

substitute("\n<<includeIntrinsic>>\n" "\n")
substitute("\n<<includeclass>>\n" "\n#include \"mydsp.h\"\n#include \"parameterAddress.h\"\n")

# Only the 64 full addresses name a parameter; anything else is ignored
# without a message, a null address included.
substituteIn("void DspFaust::setParamValue(const char* address, float value)\n{"
  "    fPolyEngine->setParamValue(address, value);"
  "    const int id = parameterIndexOf(address);
    if (id >= 0) fPolyEngine->setParamValue(id, value);")
substituteIn("float DspFaust::getParamValue(const char* address)\n{"
  "    return fPolyEngine->getParamValue(address);"
  "    const int id = parameterIndexOf(address);
    return id >= 0 ? fPolyEngine->getParamValue(id) : 0.0f;")

# The program's own driver in the constructor the program calls (the local
# variable is `driver` up to 2.79, the member `fDriver` from 2.88 on). The
# packaged driver ends the process with exit(1) on the audio library's
# thread, and only when the informative shutdown callback is called; ours
# ends it without running static destructors, on either callback, and keeps
# the engine the same on every release when no server answers.
substitute("DspFaust::DspFaust(bool auto_connect)\n{"
  "#include \"jackDriver.h\"\n\nDspFaust::DspFaust(bool auto_connect)\n{")
substituteIn("DspFaust::DspFaust(bool auto_connect)\n{"
  " = new jackaudio(auto_connect);"
  " = new jackDriver(auto_connect);")

# The engine stops before it is freed: from 2.88 on the facade frees the
# driver after the engine and its block, so a facade deleted while running
# would otherwise let the audio thread run the freed block. Up to 2.79 the
# engine frees the driver, which stops it, before the block. The program
# never deletes its facade; tests do.
substituteIn("DspFaust::~DspFaust()\n{"
  "    delete fPolyEngine;"
  "    fPolyEngine->stop();\n    delete fPolyEngine;")

# A placeholder of the architecture that none of the above fills would
# leave the facade without the code it stands for.
string(REGEX MATCH "\n<<[A-Za-z0-9_]+>>" unfilled "${text}")
if(unfilled)
  string(STRIP "${unfilled}" unfilled)
  refuse("placeholder '${unfilled}' left unfilled")
endif()

file(WRITE "${OUTPUT}.tmp" "${text}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
