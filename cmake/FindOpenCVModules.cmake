# Finds the OpenCV 4 modules the program uses from the distribution's per-module
# development packages (their umbrella package drags in far more than we need)
# and defines an imported target OpenCV::<module> for each.
find_path(OpenCVModules_INCLUDE_DIR opencv2/core.hpp PATH_SUFFIXES opencv4)
set(OpenCVModules_FOUND TRUE)
foreach(module ${OpenCVModules_FIND_COMPONENTS})
    find_library(OpenCVModules_${module}_LIBRARY opencv_${module})
    if(NOT OpenCVModules_${module}_LIBRARY OR NOT OpenCVModules_INCLUDE_DIR)
        set(OpenCVModules_FOUND FALSE)
        message(SEND_ERROR "OpenCV module ${module} not found")
        continue()
    endif()
    if(NOT TARGET OpenCV::${module})
        add_library(OpenCV::${module} UNKNOWN IMPORTED)
        set_target_properties(OpenCV::${module} PROPERTIES
            IMPORTED_LOCATION "${OpenCVModules_${module}_LIBRARY}"
            INTERFACE_INCLUDE_DIRECTORIES "${OpenCVModules_INCLUDE_DIR}")
    endif()
endforeach()
