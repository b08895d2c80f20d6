# Configures, builds and runs a tiny consumer project that finds the library with
# find_package(Vantrel3): with MODE=find_package from a scratch prefix the built library is installed
# into, with MODE=build_tree straight from the build directory.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

if(MODE STREQUAL "find_package")
    execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix
        RESULT_VARIABLE rc OUTPUT_QUIET)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "install failed: ${rc}")
    endif()
    set(find_option -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix)
elseif(MODE STREQUAL "build_tree")
    set(find_option -DVantrel3_DIR=${BUILD_DIR})
else()
    message(FATAL_ERROR "unknown MODE '${MODE}'")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR}/tests/consumer/project
    -B ${WORK_DIR}/build -G ${GENERATOR} ${find_option}
    RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "consumer configure failed: ${rc}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/build RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "consumer build failed: ${rc}")
endif()

set(ENV{QT_QPA_PLATFORM} offscreen)
execute_process(COMMAND ${WORK_DIR}/build/vantrel3_consumer RESULT_VARIABLE rc
    OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0 OR NOT out MATCHES "rows=5 cols=3")
    message(FATAL_ERROR "consumer run failed: ${rc} ${out}")
endif()
