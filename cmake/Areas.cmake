# Each folder of the core is its own static library, so that one area can be
# built and tested while another is still being written.
function(morikoyomi_core_area name)
  cmake_parse_arguments(A "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS
       ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.h)
  list(FILTER srcs INCLUDE REGEX "\\.cpp$")
  if(srcs)
    add_library(core_${name} STATIC ${srcs})
  else()
    add_library(core_${name} INTERFACE)
  endif()
  get_target_property(kind core_${name} TYPE)
  if(kind STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(core_${name} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(core_${name} INTERFACE ${A_DEPS})
  else()
    target_include_directories(core_${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(core_${name} PUBLIC ${A_DEPS})
  endif()
endfunction()

# A GoogleTest program from every .cpp below tests/<dir>; GUI tests run
# on the offscreen platform.
function(morikoyomi_test_suite name dir)
  cmake_parse_arguments(A "" "" "LIBS" ${ARGN})
  file(GLOB_RECURSE srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp)
  if(NOT srcs)
    return()
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${A_LIBS} test_support GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    MORIKOYOMI_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    MORIKOYOMI_TEST_TMP="${CMAKE_CURRENT_BINARY_DIR}/tmp_${name}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 60)
endfunction()
