# Warnings are errors for the project's own code only.
function(quva_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
    -Wno-error=deprecated-declarations)
endfunction()

# One library per layer: sources beside their headers, included as "layer/File.h".
function(quva_library name)
  cmake_parse_arguments(A "" "TYPE" "SOURCES;LIBS" ${ARGN})
  if(NOT A_TYPE)
    set(A_TYPE SHARED)
  endif()
  add_library(${name} ${A_TYPE} ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/platform ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${A_LIBS})
  quva_warnings(${name})
endfunction()

# A Qt Test program registered with CTest under its own name.
function(quva_test name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${A_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  quva_warnings(${name})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QUVA_REGISTRY=${PROJECT_BINARY_DIR}/test-registry/${name}.ini"
    TIMEOUT 300)
endfunction()
