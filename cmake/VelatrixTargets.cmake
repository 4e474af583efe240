# Helpers shared by every subsystem's CMakeLists.

set(VELATRIX_CORE_TARGETS "" CACHE INTERNAL "")
set(VELATRIX_QT_FREE_TARGETS "" CACHE INTERNAL "")
set(VELATRIX_LIBRARY_TARGETS "" CACHE INTERNAL "")

function(velatrix_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra)
    if(VELATRIX_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()

# velatrix_library(NAME <target> [CORE] [QT_FREE] SOURCES ... LIBS ...)
#   CORE     the target must not reach QtWidgets, directly or through another target.
#   QT_FREE  the target must not reach any Qt module at all.
function(velatrix_library)
    cmake_parse_arguments(ARG "CORE;QT_FREE" "NAME" "SOURCES;LIBS" ${ARGN})
    add_library(${ARG_NAME} STATIC ${ARG_SOURCES})
    target_include_directories(${ARG_NAME} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${ARG_NAME} PUBLIC ${ARG_LIBS})
    velatrix_warnings(${ARG_NAME})
    set(VELATRIX_LIBRARY_TARGETS ${VELATRIX_LIBRARY_TARGETS} ${ARG_NAME} CACHE INTERNAL "")
    if(ARG_CORE OR ARG_QT_FREE)
        set(VELATRIX_CORE_TARGETS ${VELATRIX_CORE_TARGETS} ${ARG_NAME} CACHE INTERNAL "")
    endif()
    if(ARG_QT_FREE)
        set_target_properties(${ARG_NAME} PROPERTIES AUTOMOC OFF)
        set(VELATRIX_QT_FREE_TARGETS ${VELATRIX_QT_FREE_TARGETS} ${ARG_NAME} CACHE INTERNAL "")
    endif()
endfunction()

# Collects every library a target reaches through target_link_libraries.
function(_velatrix_reachable target out)
    set(seen "")
    set(queue ${target})
    while(queue)
        list(POP_FRONT queue current)
        if(current IN_LIST seen)
            continue()
        endif()
        list(APPEND seen ${current})
        if(TARGET ${current})
            get_target_property(aliased ${current} ALIASED_TARGET)
            if(aliased)
                list(APPEND queue ${aliased})
            endif()
            get_target_property(libs ${current} INTERFACE_LINK_LIBRARIES)
            if(libs)
                list(APPEND queue ${libs})
            endif()
            get_target_property(type ${current} TYPE)
            if(NOT type STREQUAL "INTERFACE_LIBRARY")
                get_target_property(libs ${current} LINK_LIBRARIES)
                if(libs)
                    list(APPEND queue ${libs})
                endif()
            endif()
        endif()
    endwhile()
    set(${out} ${seen} PARENT_SCOPE)
endfunction()

# Fails the configuration when a core target reaches QtWidgets, a Qt-free
# target reaches Qt, or a library reaches the screen chain on top (velatrix_ui):
# the layers are kept by linking.
function(velatrix_check_layering)
    foreach(t ${VELATRIX_LIBRARY_TARGETS})
        if(t STREQUAL "velatrix_ui")
            continue()
        endif()
        _velatrix_reachable(${t} reach)
        if("velatrix_ui" IN_LIST reach)
            message(FATAL_ERROR "library ${t} must not link the screen chain velatrix_ui")
        endif()
    endforeach()
    foreach(t ${VELATRIX_CORE_TARGETS})
        _velatrix_reachable(${t} reach)
        foreach(lib ${reach})
            if(lib MATCHES "Qt6?::(Widgets|PrintSupport)$")
                message(FATAL_ERROR "core target ${t} must not link ${lib}")
            endif()
            if(t IN_LIST VELATRIX_QT_FREE_TARGETS AND lib MATCHES "^Qt6?::")
                message(FATAL_ERROR "target ${t} must not link Qt (${lib})")
            endif()
        endforeach()
    endforeach()
endfunction()

# velatrix_test(NAME <name> SOURCES ... LIBS ... [GUI] [SERIAL] [LOCK <resource>])
#   SERIAL  runs alone: real programs on a private X server, whose waits are
#           for a person-sized machine, not one shared with the compile-heavy rest.
#   Builds a GoogleTest executable and registers its tests with CTest. The
#   executable gets a QCoreApplication, or with GUI a QApplication on the
#   offscreen platform. The built program folder, the source tree and the
#   artifacts folder reach the tests through TempProgramFolder.
function(velatrix_test)
    cmake_parse_arguments(ARG "GUI;SERIAL" "NAME;LOCK" "SOURCES;LIBS" ${ARGN})
    add_executable(${ARG_NAME} ${ARG_SOURCES})
    if(ARG_GUI)
        set(entry velatrix_testmain_widgets)
    else()
        set(entry velatrix_testmain)
    endif()
    target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBS} velatrix_testsupport ${entry} GTest::gtest)
    velatrix_warnings(${ARG_NAME})
    set(lock "")
    if(ARG_LOCK)
        # Tests that hold one machine-wide thing (the running program) never overlap.
        set(lock RESOURCE_LOCK ${ARG_LOCK})
    endif()
    if(ARG_SERIAL)
        list(APPEND lock RUN_SERIAL TRUE)
    endif()
    # GUI tests choose the offscreen platform in their own main() (WidgetTestMain).
    gtest_discover_tests(${ARG_NAME}
        PROPERTIES TIMEOUT 300 ${lock}
        DISCOVERY_TIMEOUT 60
        DISCOVERY_MODE PRE_TEST)
endfunction()
