# Run at install time, after the binaries are in place: puts into the package the licence texts
# and notices of everything it ships, writes NOTICE.txt (which file holds which component,
# under which licence, and where Qt's source is), and stops packaging if a binary is shipped
# whose licence is not.
#
#   root              the package's folder (DESTDIR included)
#   qt_prefix         the Qt for Windows that scripts/build-qt-windows.sh built
#   gcc_copyright     Debian's copyright file of the package that ships libstdc++ and libgcc
#   mingw_copyright   Debian's copyright file of the package that ships winpthreads
#   gcc_source        "source-package version" of each of the two, for the notice
#   mingw_source
#   game_version      the game's version

# Where each shipped binary's licences come from, by its path in the package: every PE file
# also holds start-up code of the mingw-w64 runtime and code of GCC's runtime library; the game
# and Qt's DLLs also Qt's own. A binary no pattern names stops packaging.
set(binary_components
    "^prizewell\\.exe$ => Qt mingw-w64 GCC"
    "^Qt6[A-Za-z]+\\.dll$ => Qt mingw-w64 GCC"
    "^(platforms|styles)/q[a-z]+\\.dll$ => Qt mingw-w64 GCC"
    "^lib(stdc\\+\\+-6|gcc_s_seh-1)\\.dll$ => GCC mingw-w64"
    "^libwinpthread-1\\.dll$ => mingw-w64")

set(notices ${qt_prefix}/notices)
foreach(needed ${qt_prefix}/licenses/LGPL-3.0-only.txt ${notices}/sources-used.txt
               ${notices}/debian/copyright ${gcc_copyright} ${mingw_copyright})
    if(NOT EXISTS ${needed})
        message(FATAL_ERROR "Missing ${needed}: the Qt for Windows in ${qt_prefix} predates its "
                            "notices (run scripts/build-qt-windows.sh), or a package is missing")
    endif()
endforeach()

function(copy_licence from to)
    get_filename_component(dir ${root}/${to} DIRECTORY)
    file(MAKE_DIRECTORY ${dir})
    configure_file(${from} ${root}/${to} COPYONLY)
endfunction()

# A JSON member as text: missing is empty, an array is its items one a line.
function(json_text out json key)
    string(JSON type ERROR_VARIABLE missing TYPE "${json}" ${key})
    set(text "")
    if(type STREQUAL "ARRAY")
        string(JSON count LENGTH "${json}" ${key})
        math(EXPR last "${count} - 1")
        foreach(i RANGE ${last})
            string(JSON item GET "${json}" ${key} ${i})
            string(APPEND text "${item}\n")
        endforeach()
        string(STRIP "${text}" text)
    elseif(NOT missing)
        string(JSON text GET "${json}" ${key})
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(regex_escape out text)
    string(REGEX REPLACE "([][.+*?^$()|\\\\{}])" "\\\\\\1" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

function(indent out text by)
    string(STRIP "${text}" text)
    string(REPLACE "\n" "\n${by}" text "${text}")
    set(${out} "${by}${text}\n" PARENT_SCOPE)
endfunction()

# Debian's copyright paragraph that names files under scope, for code whose attribution names
# no licence file.
file(READ ${notices}/debian/copyright debian_copyright)
function(debian_paragraph out scope)
    string(FIND "${debian_copyright}" "\n\n" header_end)
    string(SUBSTRING "${debian_copyright}" ${header_end} -1 body)
    set(at -1)
    foreach(prefix "Files: " " ")
        if(at EQUAL -1)
            string(FIND "${body}" "${prefix}${scope}" at)
        endif()
    endforeach()
    set(paragraph "")
    if(NOT at EQUAL -1)
        string(SUBSTRING "${body}" 0 ${at} head)
        string(FIND "${head}" "\n\n" start REVERSE)
        math(EXPR start "${start} + 2")
        string(SUBSTRING "${body}" ${start} -1 paragraph)
        string(FIND "${paragraph}" "\n\n" length)
        string(SUBSTRING "${paragraph}" 0 ${length} paragraph)
    endif()
    set(${out} "${paragraph}" PARENT_SCOPE)
endfunction()

# Qt's own licence and Debian's record of its source.
set(qt_files licenses/Qt/LGPL-3.0-only.txt licenses/Qt/GPL-3.0-only.txt
             licenses/Qt/debian-copyright)
copy_licence(${qt_prefix}/licenses/LGPL-3.0-only.txt licenses/Qt/LGPL-3.0-only.txt)
copy_licence(${qt_prefix}/licenses/GPL-3.0-only.txt licenses/Qt/GPL-3.0-only.txt)
copy_licence(${notices}/debian/copyright licenses/Qt/debian-copyright)

# The third-party code Qt's build compiled: an attribution applies if a file the build compiled
# lies under its path or is one of its files.
file(STRINGS ${notices}/sources-used.txt sources_used)
# Code Qt's source generated from third-party data: compiled, it brings in the data's licence,
# which its attribution names by the data file the build never reads.
set(generated_from
    "src/gui/painting/webgradients.cpp => util/gradientgen/webgradients.css"
    "src/gui/vulkan/qvulkanfunctions.cpp => src/gui/vulkan/vk.xml")
foreach(row IN LISTS generated_from)
    string(REPLACE " => " ";" row "${row}")
    list(GET row 0 generated)
    list(GET row 1 data)
    list(FIND sources_used ${generated} at)
    if(NOT at EQUAL -1)
        list(APPEND sources_used ${data})
    endif()
endforeach()
file(GLOB_RECURSE attributions RELATIVE ${notices} ${notices}/*qt_attribution.json)
set(bundled "")
set(bundled_names "")
foreach(attribution IN LISTS attributions)
    get_filename_component(dir ${attribution} DIRECTORY)
    file(READ ${notices}/${attribution} json)
    string(JSON type TYPE "${json}")
    set(entries "")
    if(type STREQUAL "ARRAY")
        string(JSON count LENGTH "${json}")
        math(EXPR last "${count} - 1")
        foreach(i RANGE ${last})
            list(APPEND entries ${i})
        endforeach()
    else()
        set(entries "-")
    endif()
    foreach(i IN LISTS entries)
        if(i STREQUAL "-")
            set(entry "${json}")
        else()
            string(JSON entry GET "${json}" ${i})
        endif()
        json_text(path "${entry}" Path)
        json_text(files "${entry}" Files)
        set(patterns "")
        if(files)
            string(REGEX REPLACE "[ ,\n\t]+" ";" files "${files}")
            foreach(f IN LISTS files)
                regex_escape(f "${dir}/${f}")
                list(APPEND patterns "^${f}$")
            endforeach()
        else()
            set(scope ${dir})
            if(path)
                string(REGEX REPLACE "/+$" "" path "${path}")
                set(scope ${dir}/${path})
            endif()
            regex_escape(scope "${scope}")
            list(APPEND patterns "^${scope}(/|$)")
        endif()
        set(used "")
        foreach(pattern IN LISTS patterns)
            set(matching ${sources_used})
            list(FILTER matching INCLUDE REGEX "${pattern}")
            list(APPEND used ${matching})
        endforeach()
        if(NOT used)
            continue()
        endif()

        json_text(id "${entry}" Id)
        json_text(name "${entry}" Name)
        json_text(version "${entry}" Version)
        json_text(licence "${entry}" LicenseId)
        if(NOT licence)
            json_text(licence "${entry}" License)
        endif()
        json_text(copyright "${entry}" Copyright)
        json_text(licence_files "${entry}" LicenseFiles)
        json_text(licence_file "${entry}" LicenseFile)
        string(REGEX REPLACE "[\n]+" ";" licence_files "${licence_files};${licence_file}")

        set(text "  ${name}")
        if(version)
            string(APPEND text " ${version}")
        endif()
        string(APPEND text " (${id}): ${licence}\n")
        if(copyright)
            indent(copyright "${copyright}" "      ")
            string(APPEND text "${copyright}")
        endif()
        set(shipped "")
        foreach(file IN LISTS licence_files)
            if(file AND EXISTS ${notices}/${dir}/${file})
                cmake_path(SET to NORMALIZE "licenses/Qt/${dir}/${file}")
                copy_licence(${notices}/${dir}/${file} ${to})
                string(APPEND text "    ${to}\n")
                list(APPEND shipped ${to})
            endif()
        endforeach()
        if(NOT shipped)
            # No licence file of its own: Debian's copyright says what it is under.
            list(GET used 0 first)
            get_filename_component(first_dir ${first} DIRECTORY)
            debian_paragraph(paragraph ${first_dir}/)
            if(paragraph)
                indent(paragraph "${paragraph}" "      | ")
                string(APPEND text "      Debian's copyright for it:\n${paragraph}")
                string(APPEND text "    licenses/Qt/debian-copyright\n")
            elseif(licence AND EXISTS /usr/share/common-licenses/${licence})
                # Since Qt 6.8 a component may name only its licence's SPDX id, whose text
                # Qt keeps in a folder of its own; Debian has the same text.
                copy_licence(/usr/share/common-licenses/${licence} licenses/Qt/${licence})
                string(APPEND text "    licenses/Qt/${licence}\n")
            else()
                message(FATAL_ERROR "No licence text for ${name} (${attribution}): it names no "
                                    "licence file, Debian's copyright has no paragraph for it "
                                    "and Debian has no text for ${licence}")
            endif()
        endif()
        string(TOLOWER "${name} ${id}" key)
        list(APPEND bundled_names "${key}")
        set(bundled_text_${key} "${text}")
    endforeach()
endforeach()
list(SORT bundled_names)
foreach(key IN LISTS bundled_names)
    string(APPEND bundled "${bundled_text_${key}}")
endforeach()

# The compiler's runtime: Debian's copyright files of the packages that ship the DLLs.
copy_licence(${gcc_copyright} licenses/GCC/copyright)
copy_licence(/usr/share/common-licenses/GPL-3 licenses/GCC/GPL-3)
copy_licence(${mingw_copyright} licenses/mingw-w64/copyright)
set(GCC_files licenses/GCC/copyright licenses/GCC/GPL-3)
set(mingw-w64_files licenses/mingw-w64/copyright)
set(Qt_files ${qt_files})

# Every binary of the package, each with its components; one whose licence is not in the
# package stops it.
file(GLOB_RECURSE binaries LIST_DIRECTORIES false RELATIVE ${root} ${root}/*.exe ${root}/*.dll)
list(SORT binaries)
set(binary_lines "")
foreach(binary IN LISTS binaries)
    set(components "")
    foreach(row IN LISTS binary_components)
        string(REPLACE " => " ";" row "${row}")
        list(GET row 0 pattern)
        if(binary MATCHES "${pattern}")
            list(GET row 1 components)
            break()
        endif()
    endforeach()
    if(NOT components)
        message(FATAL_ERROR "${binary} would ship with no licence: cmake/windows-licences.cmake "
                            "does not know what it is")
    endif()
    string(REPLACE " " ";" components "${components}")
    foreach(component IN LISTS components)
        foreach(file IN LISTS ${component}_files)
            if(NOT EXISTS ${root}/${file})
                message(FATAL_ERROR "${binary} would ship without ${file}, its ${component} licence")
            endif()
        endforeach()
    endforeach()
    string(REPLACE ";" " " components "${components}")
    string(APPEND binary_lines "  ${binary}: ${components}\n")
endforeach()

# Qt's source package, as fetched, named exactly.
file(GLOB qt_source RELATIVE ${qt_prefix}/source ${qt_prefix}/source/*)
file(GLOB dsc ${qt_prefix}/source/*.dsc)
if(NOT dsc)
    message(FATAL_ERROR "No Debian source package in ${qt_prefix}/source")
endif()
file(STRINGS ${dsc} qt_source_package REGEX "^Source: ")
file(STRINGS ${dsc} qt_source_version REGEX "^Version: ")
string(REGEX REPLACE "^Source: " "" qt_source_package "${qt_source_package}")
string(REGEX REPLACE "^Version: " "" qt_source_version "${qt_source_version}")
string(REPLACE "+" "%2B" qt_source_url "${qt_source_version}")
set(qt_source_files "")
foreach(file IN LISTS qt_source)
    string(APPEND qt_source_files "  ${file}\n")
endforeach()
string(REGEX REPLACE "[+~].*" "" qt_version "${qt_source_version}")

string(CONCAT notice
"Prizewell ${game_version} for Windows: licences and source\n"
"=========================================================\n"
"\n"
"Prizewell, the game, is by The Prizewell developers. It runs on Qt and on the runtime\n"
"libraries of the GNU compiler for Windows (mingw-w64), which are shipped with it under\n"
"their own licences; their texts are in the licenses folder.\n"
"\n"
"Files and the components each holds\n"
"-----------------------------------\n"
"${binary_lines}"
"\n"
"Components and their licences\n"
"-----------------------------\n"
"Qt: Qt ${qt_version}, from Debian's source package ${qt_source_package} ${qt_source_version},\n"
"  under the GNU Lesser General Public License version 3 (LGPL-3.0-only), which builds on the\n"
"  GNU General Public License version 3. You may replace the Qt DLLs with your own build.\n"
"    licenses/Qt/LGPL-3.0-only.txt\n"
"    licenses/Qt/GPL-3.0-only.txt\n"
"    licenses/Qt/debian-copyright\n"
"  Third-party code compiled into Qt's DLLs, each under its own licence:\n"
"${bundled}"
"\n"
"GCC: GCC's runtime libraries (libstdc++, libgcc), from Debian's source package\n"
"  ${gcc_source}: GPL-3.0-or-later with the GCC Runtime Library Exception 3.1.\n"
"    licenses/GCC/copyright\n"
"    licenses/GCC/GPL-3\n"
"\n"
"mingw-w64: the mingw-w64 runtime (its start-up code in every program file and DLL) and\n"
"  winpthreads (libwinpthread-1.dll), from Debian's source package ${mingw_source}:\n"
"  ZPL-2.1, winpthreads under the MIT (Expat) licence; see the winpthreads paragraphs.\n"
"    licenses/mingw-w64/copyright\n"
"\n"
"Source\n"
"------\n"
"Qt's source, from which its DLLs here were built unchanged, is Debian's source package\n"
"${qt_source_package} ${qt_source_version}, as Debian publishes it:\n"
"${qt_source_files}"
"It is offered beside this package, where you got it, with build-qt-windows.sh and\n"
"mingw-w64-x86_64.cmake, the script and toolchain file that built these DLLs from it, and\n"
"SHA256SUMS. Debian keeps it too:\n"
"  https://snapshot.debian.org/package/${qt_source_package}/${qt_source_url}/\n"
"The sources of GCC's runtime and of mingw-w64 are Debian's source packages named above.\n")
file(WRITE ${root}/NOTICE.txt "${notice}")
