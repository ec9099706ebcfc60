# cmake -DBUILD_DIR=... -DWORK_DIR=... -DCONSUMER_DIR=... -DPLUGIN_DOC=... -DGENERATOR=...
#       -P run_install_test.cmake
#
# 1. installs the built project into WORK_DIR/prefix,
# 2. configures and builds CONSUMER_DIR against that prefix only,
# 3. writes the minimal plug-in of PLUGIN_DOC (its code blocks whose info string names a
#    file, "```cpp colourplugin.cpp") and builds it against that prefix,
# 4. runs the consumer, which creates the editor on a main window and loads the installed
#    plug-ins and the example (through KOVA_PLUGIN_PATH).
foreach(var BUILD_DIR WORK_DIR CONSUMER_DIR PLUGIN_DOC GENERATOR)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${var} is not set")
    endif()
endforeach()

set(prefix ${WORK_DIR}/prefix)
set(consumerBuild ${WORK_DIR}/consumer-build)
set(exampleSource ${WORK_DIR}/example-plugin)
set(exampleBuild ${WORK_DIR}/example-plugin-build)
file(REMOVE_RECURSE ${prefix} ${consumerBuild} ${exampleSource} ${exampleBuild})
file(MAKE_DIRECTORY ${WORK_DIR}/home)

function(run_step what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${what} failed (${result}):\n${out}\n${err}")
    endif()
    message(STATUS "${what}: ok")
endfunction()

run_step("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})

# The player program lies beside the editor (Preview Stage looks for it there) and finds its
# installed libraries: it checks an installed sample stage as clean.
run_step("installed player checks a sample stage"
    ${prefix}/bin/KvStageScreen.exe --check ${prefix}/share/kova/sample/stage/Lobby.xml)

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
# The example plug-in, as the documentation gives it.
file(READ ${PLUGIN_DOC} doc)
set(fence "```")
set(exampleFiles)
string(FIND "${doc}" "\n${fence}" start)
while(NOT start EQUAL -1)
    math(EXPR start "${start} + 4")
    string(SUBSTRING "${doc}" ${start} -1 doc)
    string(FIND "${doc}" "\n" lineEnd)
    string(SUBSTRING "${doc}" 0 ${lineEnd} info)
    math(EXPR lineEnd "${lineEnd} + 1")
    string(SUBSTRING "${doc}" ${lineEnd} -1 doc)
    string(FIND "${doc}" "\n${fence}" end)
    math(EXPR end "${end} + 1")
    string(SUBSTRING "${doc}" 0 ${end} code)
    math(EXPR end "${end} + 3")
    string(SUBSTRING "${doc}" ${end} -1 doc)
    if(info MATCHES "^[a-z]+ ([A-Za-z0-9_.]+)$")
        file(WRITE ${exampleSource}/${CMAKE_MATCH_1} "${code}")
        list(APPEND exampleFiles ${CMAKE_MATCH_1})
    endif()
    string(FIND "${doc}" "\n${fence}" start)
endwhile()
list(FIND exampleFiles CMakeLists.txt found)
if(found EQUAL -1)
    message(FATAL_ERROR "no example plug-in in ${PLUGIN_DOC} (found: ${exampleFiles})")
endif()
run_step("configure example plug-in"
    ${CMAKE_COMMAND} -S ${exampleSource} -B ${exampleBuild} -G ${GENERATOR}
    -DCMAKE_BUILD_TYPE=Debug -DCMAKE_PREFIX_PATH=${prefix} ${compilerArg})
run_step("build example plug-in" ${CMAKE_COMMAND} --build ${exampleBuild})

run_step("run consumer" ${CMAKE_COMMAND} -E env KOVA_PLUGIN_PATH=${exampleBuild}
    KOVA_EXAMPLE_PLUGIN_ID=org.example.colour ${consumer})
