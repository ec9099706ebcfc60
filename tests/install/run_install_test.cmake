# cmake -DBUILD_DIR=... -DWORK_DIR=... -DCONSUMER_DIR=... -DGENERATOR=... -P run_install_test.cmake
#
# 1. installs the built project into WORK_DIR/prefix,
# 2. configures and builds CONSUMER_DIR against that prefix only,
# 3. runs the consumer, which creates the editor on a main window.
foreach(var BUILD_DIR WORK_DIR CONSUMER_DIR GENERATOR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()

set(prefix ${WORK_DIR}/prefix)
set(consumerBuild ${WORK_DIR}/consumer-build)
file(REMOVE_RECURSE ${prefix} ${consumerBuild})
file(MAKE_DIRECTORY ${WORK_DIR}/home)

function(run_step what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${what} failed (${result}):\n${out}\n${err}")
    endif()
    message(STATUS "${what}: ok")
endfunction()

run_step("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

set(compilerArg)
if(DEFINED CXX_COMPILER AND NOT CXX_COMPILER STREQUAL "")
    set(compilerArg -DCMAKE_CXX_COMPILER=${CXX_COMPILER})
endif()
run_step("configure consumer"
    ${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${consumerBuild} -G ${GENERATOR}
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_PREFIX_PATH=${prefix} ${compilerArg})
run_step("build consumer" ${CMAKE_COMMAND} --build ${consumerBuild})

find_program(consumer NAMES kova-consumer PATHS ${consumerBuild} NO_DEFAULT_PATH)
if(NOT consumer)
    message(FATAL_ERROR "the consumer program was not built")
endif()
run_step("run consumer" ${consumer})
