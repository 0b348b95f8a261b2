# Read by cpack before it makes each Windows package (CPACK_PROJECT_CONFIG_FILE): the packages
# carry the time of the commit they are built from, not of the build, so that every build of a
# commit is the same bytes.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git -C "${CPACK_PRIZEWELL_SOURCE_DIR}" log -1 --format=%ct
                    OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE
                    RESULT_VARIABLE failed ERROR_QUIET)
    if(failed OR NOT epoch)
        message(WARNING "No SOURCE_DATE_EPOCH and no commit time: the package carries the build's")
    else()
        set(ENV{SOURCE_DATE_EPOCH} ${epoch})
    endif()
endif()
