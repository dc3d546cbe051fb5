# Compiler settings shared by every target of the project.
add_library(novu_compile_options INTERFACE)
target_compile_options(novu_compile_options INTERFACE -Wall -Wextra -Wpedantic -Werror)
# GCC 12 reports -Wrestrict inside libstdc++'s std::string operator+ at -O2 and above, a
# false positive fixed in GCC 13 (GCC bug 105329).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(novu_compile_options INTERFACE -Wno-restrict)
endif()

if(NOVU_SANITIZE STREQUAL "address")
    set(_novu_sanitize -fsanitize=address,undefined -fno-sanitize-recover=undefined
                       -fno-omit-frame-pointer)
elseif(NOVU_SANITIZE STREQUAL "thread")
    set(_novu_sanitize -fsanitize=thread -fno-omit-frame-pointer)
elseif(NOT NOVU_SANITIZE STREQUAL "")
    message(FATAL_ERROR "NOVU_SANITIZE must be empty, address or thread")
endif()
if(_novu_sanitize)
    add_compile_options(${_novu_sanitize})
    add_link_options(${_novu_sanitize})
endif()

# novu_library(<name> SOURCES ... DEPS ...): one static library per source folder.
function(novu_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE novu_compile_options)
endfunction()
