# Facts of the Debian release the tree is built on, read from the scripts'
# table (scripts/releases.sh), so that the build and the scripts agree.

# releaseFact(VARIABLE SHELL_COMMAND): VARIABLE takes what the command, run
# with the table's functions at hand, prints.
function(releaseFact variable command)
  execute_process(
    COMMAND bash -c "source scripts/releases.sh && ${command}"
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    OUTPUT_VARIABLE fact
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  set(${variable} "${fact}" PARENT_SCOPE)
endfunction()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/scripts/releases.sh)

