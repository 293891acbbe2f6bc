# Helpers that keep the per-folder CMakeLists short.
#
#   lmb_layer(<name> [QT] [DEPS <targets>...])
#       A library `lmb_<name>` from every .cpp/.h of the current folder except main.cpp.
#       Headers are included as "<layer>/<file>.h" (src/ is the include root).
#       A folder without sources yet gives an INTERFACE library, so dependants link either way.
#   lmb_program(<name> SOURCES <files>... [QT] [DEPS <targets>...])
#       A program in the install tree (build/dist/).
#   lmb_gtest(<name> [QT] [DEPS <targets>...])
#       One GoogleTest program from every *.cpp of the current folder except tst_*.cpp, each test
#       registered with ctest; every tst_*.cpp is a Qt Test program of its own.

set(LMB_SRC_ROOT ${PROJECT_SOURCE_DIR}/src)

function(_lmb_qt_target target)
    set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON AUTOUIC OFF)
endfunction()

function(lmb_layer name)
    cmake_parse_arguments(A "QT" "" "DEPS" ${ARGN})
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h
                                     ${CMAKE_CURRENT_SOURCE_DIR}/*.qrc)
    list(FILTER srcs EXCLUDE REGEX "/main\\.cpp$")
    set(cpp ${srcs})
    list(FILTER cpp INCLUDE REGEX "\\.cpp$")
    set(target lmb_${name})
    if(cpp)
        add_library(${target} STATIC ${srcs})
        target_include_directories(${target} PUBLIC ${LMB_SRC_ROOT})
        target_link_libraries(${target} PUBLIC ${A_DEPS})
        if(A_QT)
            _lmb_qt_target(${target})
        endif()
    else()
        add_library(${target} INTERFACE)
        target_include_directories(${target} INTERFACE ${LMB_SRC_ROOT})
        target_link_libraries(${target} INTERFACE ${A_DEPS})
    endif()
endfunction()

function(lmb_program name)
    cmake_parse_arguments(A "QT" "" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${A_SOURCES})
    target_include_directories(${name} PRIVATE ${LMB_SRC_ROOT})
    target_link_libraries(${name} PRIVATE ${A_DEPS})
    if(A_QT)
        _lmb_qt_target(${name})
    endif()
endfunction()

# Every test runs with a throw-away home, registry and temporary folder under the build tree, so a
# test that forgets to make its own never touches the developer's settings.
set(LMB_TEST_HOME ${CMAKE_BINARY_DIR}/test-home)
set(LMB_TEST_ENV
    "QT_QPA_PLATFORM=offscreen"
    "SDL_AUDIODRIVER=dummy"
    "HOME=${LMB_TEST_HOME}"
    "XDG_CONFIG_HOME=${LMB_TEST_HOME}/config"
    "XDG_DATA_HOME=${LMB_TEST_HOME}/share"
    "XDG_RUNTIME_DIR=${LMB_TEST_HOME}/run"
    "LMB_REGISTRY=${LMB_TEST_HOME}/registry.reg"
    "TMPDIR=${LMB_TEST_HOME}/tmp"
    "LMB_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
    "LMB_DIST_DIR=${LMB_DIST_DIR}")

function(lmb_gtest name)
    cmake_parse_arguments(A "QT" "" "DEPS" ${ARGN})
    file(MAKE_DIRECTORY ${LMB_TEST_HOME}/run ${LMB_TEST_HOME}/tmp)
    file(GLOB all CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
    set(gsrc ${all})
    list(FILTER gsrc EXCLUDE REGEX "/tst_[^/]*\\.cpp$")
    set(qsrc ${all})
    list(FILTER qsrc INCLUDE REGEX "/tst_[^/]*\\.cpp$")
    if(gsrc)
        set(target test_${name})
        add_executable(${target} ${gsrc})
        target_include_directories(${target} PRIVATE ${LMB_SRC_ROOT} ${PROJECT_SOURCE_DIR}/tests)
        target_link_libraries(${target} PRIVATE ${A_DEPS} lmb_testsupport GTest::gtest GTest::gtest_main)
        set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
        if(A_QT)
            _lmb_qt_target(${target})
        endif()
        gtest_discover_tests(${target} DISCOVERY_TIMEOUT 60
            PROPERTIES ENVIRONMENT "${LMB_TEST_ENV}" TIMEOUT 300)
    endif()
    foreach(src ${qsrc})
        get_filename_component(base ${src} NAME_WE)
        set(target ${name}_${base})
        add_executable(${target} ${src})
        target_include_directories(${target} PRIVATE ${LMB_SRC_ROOT} ${PROJECT_SOURCE_DIR}/tests)
        target_link_libraries(${target} PRIVATE ${A_DEPS} lmb_testsupport Qt6::Test)
        set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
        _lmb_qt_target(${target})
        add_test(NAME ${target} COMMAND ${target})
        set_tests_properties(${target} PROPERTIES ENVIRONMENT "${LMB_TEST_ENV}" TIMEOUT 300)
    endforeach()
endfunction()
