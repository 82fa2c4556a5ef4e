# A test (see tests/CMakeLists.txt): installs the build into a fresh prefix and starts the
# installed program on the offscreen platform, which must find the sample dictionaries
# through the prefix's own machine hive and end at its first idle moment.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX}
                OUTPUT_QUIET RESULT_VARIABLE installed)
if(NOT installed EQUAL 0)
    message(FATAL_ERROR "cmake --install failed")
endif()
file(MAKE_DIRECTORY ${PREFIX}/home)
execute_process(
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen NORVEL_QUIT_WHEN_IDLE=1
            ZEL_USER_HIVE=${PREFIX}/home/user.reg XDG_DATA_HOME=${PREFIX}/home/data
            --unset=ZEL_MACHINE_HIVE ${PREFIX}/bin/NV -ns
    OUTPUT_VARIABLE output RESULT_VARIABLE status TIMEOUT 120)
message(STATUS "${output}")
if(NOT status EQUAL 0 OR NOT output MATCHES "Norvel is up with 12 dictionaries")
    message(FATAL_ERROR "The installed program did not start on its dictionaries: ${status} ${output}")
endif()
file(REMOVE_RECURSE ${PREFIX})
