# Usage: cmake -DLIBRARY=<path to libxqcomm.so> -P CheckExports.cmake
find_program(NM nm REQUIRED)
execute_process(COMMAND ${NM} -D --defined-only --format=just-symbols ${LIBRARY}
    OUTPUT_VARIABLE symbols RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "nm failed on ${LIBRARY}")
endif()
string(REPLACE "\n" ";" symbols "${symbols}")
list(FILTER symbols EXCLUDE REGEX "^$")
list(SORT symbols)
set(expected BotUdiskTransmit HID_Ctrl_Comm XQ_Close XQ_Comm XQ_GetDevSn XQ_Open)
if(NOT symbols STREQUAL expected)
    message(FATAL_ERROR "exported: ${symbols}\nexpected: ${expected}")
endif()
