# What a Windows player downloads: a portable zip that runs where it is unpacked, and an
# installer made with NSIS. Both hold one folder: the program, the Qt and compiler runtime DLLs
# it links, the two plugins Qt loads for it, a qt.conf, and the licences and notices of them all.
# Both are the same bytes on every build of the same commit.

# The DLLs the program links, found among Qt's and the compiler's own; system DLLs stay out.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE prizewell_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(PRIZEWELL_MINGW_RUNTIME_DIR ${prizewell_libstdcxx} DIRECTORY)
get_target_property(prizewell_qtcore Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(PRIZEWELL_QT_BIN_DIR ${prizewell_qtcore} DIRECTORY)
# winpthreads lives with the mingw-w64 libraries, not with the compiler's.
set(PRIZEWELL_RUNTIME_DIRS ${PRIZEWELL_QT_BIN_DIR} ${PRIZEWELL_MINGW_RUNTIME_DIR}
                           /usr/${PRIZEWELL_MINGW_TRIPLE}/lib)

# The two plugins Qt loads for the game: the platform and the native style, which Qt 6.7
# renamed. Since Qt 6.8 finding a module no longer imports its plugins, so each is asked for.
set(prizewell_platform_plugin Qt6::QWindowsIntegrationPlugin)
if(Qt6_VERSION VERSION_LESS 6.7)
    set(prizewell_style_plugin Qt6::QWindowsVistaStylePlugin)
else()
    set(prizewell_style_plugin Qt6::QModernWindowsStylePlugin)
endif()
foreach(plugin ${prizewell_platform_plugin} ${prizewell_style_plugin})
    if(NOT TARGET ${plugin})
        string(REPLACE "::" "" package ${plugin})
        find_package(${package} REQUIRED CONFIG PATHS ${Qt6Gui_DIR} ${Qt6Widgets_DIR}
                     NO_DEFAULT_PATH)
    endif()
endforeach()

install(TARGETS prizewell RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/data/windows/qt.conf DESTINATION .)
install(FILES $<TARGET_FILE:${prizewell_platform_plugin}> DESTINATION platforms)
install(FILES $<TARGET_FILE:${prizewell_style_plugin}> DESTINATION styles)
# CMake reads the program's imports itself (install(TARGETS … RUNTIME_DEPENDENCIES) refuses a
# cross build): mingw's objdump lists them, and only Qt's and the compiler's DLLs are shipped.
# Windows compares the names without regard to case, and CMake may report them lower-cased, so
# on this case-sensitive file system the ones it cannot find are looked for again that way.
# objdump translates the "DLL Name:" lines CMake reads ("Nom DLL:" in French), and CMake then
# finds no import at all: it runs in the C locale, and a program without Qt6Core stops packaging.
install(CODE "
    set(ENV{LC_ALL} C)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
    set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND \"${CMAKE_OBJDUMP}\")
    file(GET_RUNTIME_DEPENDENCIES
        EXECUTABLES \"$<TARGET_FILE:prizewell>\"
        MODULES \"$<TARGET_FILE:${prizewell_platform_plugin}>\"
                \"$<TARGET_FILE:${prizewell_style_plugin}>\"
        PRE_INCLUDE_REGEXES \"^qt6\" \"^libstdc\\\\+\\\\+\" \"^libgcc_s\" \"^libwinpthread\"
        PRE_EXCLUDE_REGEXES \".*\"
        DIRECTORIES ${PRIZEWELL_RUNTIME_DIRS}
        RESOLVED_DEPENDENCIES_VAR dlls
        UNRESOLVED_DEPENDENCIES_VAR missing)
    file(GLOB candidates ${PRIZEWELL_QT_BIN_DIR}/*.dll)
    foreach(name IN LISTS missing)
        string(TOLOWER \${name} wanted)
        foreach(candidate IN LISTS candidates)
            get_filename_component(file \${candidate} NAME)
            string(TOLOWER \${file} file)
            if(file STREQUAL wanted)
                list(APPEND dlls \${candidate})
                list(REMOVE_ITEM missing \${name})
            endif()
        endforeach()
    endforeach()
    if(missing)
        message(FATAL_ERROR \"DLLs not found: \${missing}\")
    endif()
    if(NOT dlls MATCHES \"[Qq][Tt]6[Cc][Oo][Rr][Ee]\\\\.dll\")
        message(FATAL_ERROR \"No Qt6Core.dll among the program's DLLs: \${dlls}\")
    endif()
    file(INSTALL \${dlls} DESTINATION \"\${CMAKE_INSTALL_PREFIX}\")

    # Debug sections are a third of the download and help no player.
    set(root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
    set(binaries \${root}/prizewell.exe
        \${root}/platforms/$<TARGET_FILE_NAME:${prizewell_platform_plugin}>
        \${root}/styles/$<TARGET_FILE_NAME:${prizewell_style_plugin}>)
    foreach(dll IN LISTS dlls)
        get_filename_component(name \${dll} NAME)
        list(APPEND binaries \${root}/\${name})
    endforeach()
    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \${binaries} COMMAND_ERROR_IS_FATAL ANY)
")

# The licences of what is shipped, from Debian's copyright files of the packages that ship the
# compiler's runtime DLLs and from Qt's own notices; packaging stops at a binary without one.
get_filename_component(prizewell_libstdcxx ${prizewell_libstdcxx} REALPATH)
get_filename_component(prizewell_winpthread /usr/${PRIZEWELL_MINGW_TRIPLE}/lib/libwinpthread-1.dll
                       REALPATH)
foreach(runtime gcc:${prizewell_libstdcxx} mingw:${prizewell_winpthread})
    string(REGEX REPLACE ":.*" "" name ${runtime})
    string(REGEX REPLACE "^[a-z]+:" "" file ${runtime})
    execute_process(COMMAND dpkg-query -S ${file} OUTPUT_VARIABLE owner
                    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    string(REGEX REPLACE ":.*" "" owner "${owner}")
    execute_process(COMMAND dpkg-query -W "-f=\${source:Package} \${source:Version}" ${owner}
                    OUTPUT_VARIABLE prizewell_${name}_source COMMAND_ERROR_IS_FATAL ANY)
    set(prizewell_${name}_copyright /usr/share/doc/${owner}/copyright)
endforeach()
install(CODE "
    set(root \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
    set(qt_prefix \"${PRIZEWELL_QT_BIN_DIR}/..\")
    set(gcc_copyright \"${prizewell_gcc_copyright}\")
    set(mingw_copyright \"${prizewell_mingw_copyright}\")
    set(gcc_source \"${prizewell_gcc_source}\")
    set(mingw_source \"${prizewell_mingw_source}\")
    set(game_version \"${PROJECT_VERSION}\")
")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/windows-licences.cmake)

# The same bytes on every build of a commit: fixed modes whatever the umask, and the commit's
# time on every file (cpack sets SOURCE_DATE_EPOCH), which both packages keep.
install(CODE [[
    set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
    file(CHMOD_RECURSE ${root}
         FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
         DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                               WORLD_READ WORLD_EXECUTE)
    file(GLOB_RECURSE programs ${root}/*.exe ${root}/*.dll)
    file(CHMOD ${programs} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                       GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    if(DEFINED ENV{SOURCE_DATE_EPOCH})
        file(GLOB_RECURSE everything LIST_DIRECTORIES true ${root}/*)
        execute_process(COMMAND touch -h -d @$ENV{SOURCE_DATE_EPOCH} ${root} ${everything}
                        COMMAND_ERROR_IS_FATAL ANY)
    endif()
]])

set(CPACK_GENERATOR ZIP NSIS)
set(PRIZEWELL_WINDOWS_PACKAGE prizewell-${PROJECT_VERSION}-windows-x64)
set(CPACK_PACKAGE_FILE_NAME ${PRIZEWELL_WINDOWS_PACKAGE})
set(CPACK_PACKAGE_INSTALL_DIRECTORY Prizewell)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Prizewell)
set(CPACK_NSIS_DISPLAY_NAME Prizewell)
set(CPACK_NSIS_PACKAGE_NAME Prizewell)
set(CPACK_NSIS_MUI_ICON ${PRIZEWELL_PICTURES_DIR}/prizewell.ico)
set(CPACK_NSIS_MUI_UNIICON ${PRIZEWELL_PICTURES_DIR}/prizewell.ico)
# The project's own installer script: 64-bit, per machine, no PATH page; its sorted file lists
# come from nsis-files.cmake.
set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/data/windows)
set(CPACK_PRIZEWELL_CMAKE_COMMAND ${CMAKE_COMMAND})
set(CPACK_PRIZEWELL_NSIS_FILES ${CMAKE_CURRENT_LIST_DIR}/nsis-files.cmake)
# The commit's time for both packages, and the zip made again in a fixed order.
set(CPACK_PRIZEWELL_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/windows-cpack.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/windows-zip.cmake)
