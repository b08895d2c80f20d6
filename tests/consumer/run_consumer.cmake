# Configures, builds and runs a tiny project that uses the library, in one of three ways (MODE):
#   find_package      finds the package installed into a scratch prefix;
#   build_tree        finds the package in the build directory, without installing;
#   add_subdirectory  embeds the source tree in a host project with its own flags.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# Runs a command; stops with its output when it fails, and leaves the output in `output`.
function(run what)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${what} failed: ${rc}\n${out}")
    endif()
    set(output "${out}" PARENT_SCOPE)
endfunction()

set(project ${SOURCE_DIR}/tests/consumer/project)
set(program vantrel3_consumer)
set(expected "rows=5 cols=3")
if(MODE STREQUAL "find_package")
    run("install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix)
    set(configure_options -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix)
elseif(MODE STREQUAL "build_tree")
    set(configure_options -DVantrel3_DIR=${BUILD_DIR})
elseif(MODE STREQUAL "add_subdirectory")
    set(project ${SOURCE_DIR}/tests/consumer/add_subdirectory)
    set(program vantrel3_host)
    set(expected "rows=6 cols=4")
    # With nothing set, the host's CMakeLists checks that every option of ours is off.
    run("host configure with the defaults" ${CMAKE_COMMAND} -S ${project}
        -B ${WORK_DIR}/defaults -G ${GENERATOR} -DVANTREL3_SOURCE_DIR=${SOURCE_DIR})
    # Built with -Werror on our code, where the host's own warning must stay a warning.
    set(configure_options -DVANTREL3_SOURCE_DIR=${SOURCE_DIR} -DHOST_SETS_WERROR=ON)
else()
    message(FATAL_ERROR "unknown MODE '${MODE}'")
endif()

run("consumer configure" ${CMAKE_COMMAND} -S ${project} -B ${WORK_DIR}/build -G ${GENERATOR}
    ${configure_options})

cmake_host_system_information(RESULT jobs QUERY NUMBER_OF_LOGICAL_CORES)
run("consumer build" ${CMAKE_COMMAND} --build ${WORK_DIR}/build --parallel ${jobs})
if(MODE STREQUAL "add_subdirectory" AND NOT output MATCHES "Wunused-variable")
    message(FATAL_ERROR "the host's own warning did not show; the build said:\n${output}")
endif()

set(ENV{QT_QPA_PLATFORM} offscreen)
run("consumer run" ${WORK_DIR}/build/${program})
if(NOT output MATCHES "${expected}")
    message(FATAL_ERROR "consumer run printed '${output}', not '${expected}'")
endif()
if(NOT MODE STREQUAL "add_subdirectory")
    # The Designer form: it exits 1, naming the setting, when one did not arrive.
    run("form run" ${WORK_DIR}/build/vantrel3_consumer_form)
    if(NOT output MATCHES "cols=5")
        message(FATAL_ERROR "form run printed '${output}', not 'cols=5'")
    endif()
endif()
