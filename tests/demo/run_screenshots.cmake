# Runs the demo once per scene with --screenshot and checks that each picture was written, as a
# PNG of at least the window's size.
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

foreach(scene grid calendar calculator pages)
    set(png ${WORK_DIR}/${scene}.png)
    execute_process(COMMAND ${DEMO} --database ${WORK_DIR}/clienti.db --screenshot ${png}
            --show ${scene}
        RESULT_VARIABLE rc TIMEOUT 60)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "${scene}: the demo exited with ${rc}")
    endif()
    if(NOT EXISTS ${png})
        message(FATAL_ERROR "${scene}: no picture was written")
    endif()
    # The PNG header's first chunk holds the width and height, big-endian, from byte 16.
    file(READ ${png} header LIMIT 24 HEX)
    string(SUBSTRING "${header}" 0 16 signature)
    string(SUBSTRING "${header}" 32 8 width_hex)
    string(SUBSTRING "${header}" 40 8 height_hex)
    math(EXPR width "0x${width_hex}")
    math(EXPR height "0x${height_hex}")
    if(NOT signature STREQUAL "89504e470d0a1a0a" OR width LESS 1000 OR height LESS 420)
        message(FATAL_ERROR "${scene}: not the window's picture (${signature}, ${width}x${height})")
    endif()
    message(STATUS "${scene}: ${width}x${height}")
endforeach()
