# Fails when a C++ source file of the project differs from its clang-format form.
file(GLOB_RECURSE sources RELATIVE "${ROOT}"
    "${ROOT}/app/*.cpp" "${ROOT}/app/*.h"
    "${ROOT}/analysis/*.cpp" "${ROOT}/analysis/*.h"
    "${ROOT}/capture/*.cpp" "${ROOT}/capture/*.h"
    "${ROOT}/records/*.cpp" "${ROOT}/records/*.h"
    "${ROOT}/data/*.cpp" "${ROOT}/data/*.h"
    "${ROOT}/ui/*.cpp" "${ROOT}/ui/*.h"
    "${ROOT}/resources/*.cpp" "${ROOT}/resources/*.h"
    "${ROOT}/tools/*.cpp" "${ROOT}/tools/*.h"
    "${ROOT}/bench/*.cpp" "${ROOT}/bench/*.h"
    "${ROOT}/tests/*.cpp" "${ROOT}/tests/*.h")
list(SORT sources)
execute_process(COMMAND "${CLANG_FORMAT}" --dry-run -Werror --style=file ${sources}
    WORKING_DIRECTORY "${ROOT}"
    RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "Not formatted (run clang-format -i on these files):\n${err}")
endif()
message(STATUS "${CMAKE_CURRENT_LIST_FILE}: formatted files checked")
