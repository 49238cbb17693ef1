find_package(GTest REQUIRED)
include(GoogleTest)

# One test program per subsystem folder of tests/unit, so a subsystem's tests build and run alone.
file(GLOB ORDALIS_TEST_SUPPORT CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/support/*.cpp)
file(GLOB ORDALIS_TEST_DIRS LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/unit/*)
foreach(dir ${ORDALIS_TEST_DIRS})
  if(IS_DIRECTORY ${dir})
    get_filename_component(sub ${dir} NAME)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${dir}/*.cpp)
    if(sources AND NOT sub STREQUAL "ui")
      add_executable(test_${sub} ${sources} ${ORDALIS_TEST_SUPPORT})
      target_include_directories(test_${sub} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
      target_link_libraries(test_${sub} PRIVATE ordalis_core GTest::gtest GTest::gtest_main)
      target_compile_definitions(test_${sub} PRIVATE
        ORDALIS_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
        ORDALIS_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
      gtest_discover_tests(test_${sub} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS core)
    endif()
  endif()
endforeach()

# UI tests: the real widgets on Qt's offscreen platform, one program, label gui. Screenshots that a
# reviewer looks at go to build/screenshots.
if(TARGET ordalis_ui AND IS_DIRECTORY ${CMAKE_SOURCE_DIR}/tests/unit/ui)
  find_package(Qt6 COMPONENTS Test REQUIRED)
  file(GLOB_RECURSE ui_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/ui/*.cpp)
  add_executable(test_ui ${ui_sources} ${CMAKE_SOURCE_DIR}/tests/support/test_support.cpp)
  target_include_directories(test_ui PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(test_ui PRIVATE ordalis_ui Qt6::Test GTest::gtest)
  set_target_properties(test_ui PROPERTIES AUTOMOC ON)
  target_compile_definitions(test_ui PRIVATE
    ORDALIS_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    ORDALIS_BIN_DIR="${CMAKE_BINARY_DIR}/bin"
    ORDALIS_SCREENSHOT_DIR="${CMAKE_BINARY_DIR}/screenshots")
  gtest_discover_tests(test_ui DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS gui ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endif()

# Golden and corpus tests run the batch program exactly as a CAM system would.
file(GLOB ORDALIS_GOLDEN_CASES LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/tests/golden/*)
foreach(case ${ORDALIS_GOLDEN_CASES})
  if(IS_DIRECTORY ${case} AND (EXISTS ${case}/expected.nc OR EXISTS ${case}/expected.rc))
    get_filename_component(name ${case} NAME)
    add_test(NAME golden.${name}
      COMMAND ${CMAKE_COMMAND} -DPOST=$<TARGET_FILE:ordalis-post> -DCASE=${case}
              -DWORK=${CMAKE_BINARY_DIR}/golden/${name} -DSOURCE=${CMAKE_SOURCE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/RunGolden.cmake)
    set_tests_properties(golden.${name} PROPERTIES LABELS "golden;core")
  endif()
endforeach()

if(EXISTS ${CMAKE_SOURCE_DIR}/tests/CMakeLists.txt)
  add_subdirectory(tests)
endif()
