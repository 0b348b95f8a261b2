# Run by CPack once it has made the packages: each is rebuilt by deb-repack.sh.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
    execute_process(COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/deb-repack.sh ${package}
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()
