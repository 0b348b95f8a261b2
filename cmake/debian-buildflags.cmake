# The flags Debian builds its packages with, every hardening feature on, for the build that is
# packaged: stack protector, fortified functions, read-only relocations and immediate binding,
# plus stack clash protection, which later dpkg versions add to hardening=+all and Debian 12's
# does not. Control-flow protection is left out: Debian 12's C start files lack it, so the linker
# would drop it from the program anyway. CMake reads no CPPFLAGS, so they go with the compiler's.
# Where a file was built must leave no trace in the program (its debugging data and build id):
# dpkg-buildflags maps the folder it runs in, here the source, and the build folder is mapped
# after it, so that this map wins for a build folder inside the source.
find_program(PRIZEWELL_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
set(ENV{DEB_BUILD_MAINT_OPTIONS} "hardening=+all")
foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${PRIZEWELL_DPKG_BUILDFLAGS} --get ${kind}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE prizewell_${kind} OUTPUT_STRIP_TRAILING_WHITESPACE
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
string(APPEND CMAKE_CXX_FLAGS " ${prizewell_CPPFLAGS} ${prizewell_CXXFLAGS}"
    " -fstack-clash-protection -ffile-prefix-map=${PROJECT_BINARY_DIR}=build")
foreach(kind EXE SHARED MODULE)
    string(APPEND CMAKE_${kind}_LINKER_FLAGS " ${prizewell_LDFLAGS}")
endforeach()
message(STATUS "Debian build flags: ${CMAKE_CXX_FLAGS} | ${prizewell_LDFLAGS}")
