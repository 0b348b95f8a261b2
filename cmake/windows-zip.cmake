# Run by cpack after it made the zip (CPACK_POST_BUILD_SCRIPTS), which it lists as the file
# system reads the folder and stamps with the local time zone and the builder's user and group:
# made again from the same folder, its entries sorted, in UTC and with no owner, it is the same
# bytes on every build. The files' times are already the commit's (SOURCE_DATE_EPOCH).
if(NOT CPACK_GENERATOR STREQUAL "ZIP")
    return()
endif()
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${CPACK_TOPLEVEL_DIRECTORY}"
     "${CPACK_TEMPORARY_DIRECTORY}/*")
list(SORT files)
list(JOIN files "\n" names)
file(WRITE "${CPACK_TOPLEVEL_DIRECTORY}/zip-entries.txt" "${names}\n")
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    file(REMOVE "${package}")
    execute_process(COMMAND env TZ=UTC LC_ALL=C zip -q -X -D "${package}" -@
                    INPUT_FILE "${CPACK_TOPLEVEL_DIRECTORY}/zip-entries.txt"
                    WORKING_DIRECTORY "${CPACK_TOPLEVEL_DIRECTORY}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
