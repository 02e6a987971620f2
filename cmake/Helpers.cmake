include(GoogleTest)

# Compile settings every target of the project gets: warnings, and no fused
# multiply-add, so that float results are the same on every machine.
function(mt_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -ffp-contract=off)
  if(MT_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=all
                                             -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(MT_FUZZ AND CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined
                                             -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# mt_add_test(name SOURCES a.cpp ... LIBS lib ...): a GoogleTest binary registered with CTest.
function(mt_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  mt_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST)
endfunction()

# The fonts the window tests draw with, whatever else the machine has: the
# DejaVu fonts of Debian's fonts-dejavu-core (which scripts/test installs),
# copied into the build tree, and a fontconfig file that knows them alone, with
# Debian's rendering settings. The chart's and the plot's pictures depend on
# the glyphs; another font standing in (Noto Sans Mono as the fixed-pitch font
# once fonts-noto-mono is installed) would make them skip or differ.
set(MT_TEST_FONT_FILES DejaVuSans.ttf DejaVuSans-Bold.ttf DejaVuSansMono.ttf DejaVuSansMono-Bold.ttf)
function(mt_make_test_fontconfig)
  set(fonts ${PROJECT_BINARY_DIR}/test-fonts)
  foreach(file ${MT_TEST_FONT_FILES})
    find_file(MT_FONT_${file} ${file} PATHS /usr/share/fonts/truetype/dejavu NO_DEFAULT_PATH)
    if(NOT MT_FONT_${file})
      message(WARNING "${file} (fonts-dejavu-core) not found: the window tests draw with the machine's fonts")
      return()
    endif()
    configure_file(${MT_FONT_${file}} ${fonts}/${file} COPYONLY)
  endforeach()
  file(WRITE ${fonts}/fonts.conf [=[<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>@fonts@</dir>
  <cachedir>@fonts@/cache</cachedir>
  <alias><family>monospace</family><prefer><family>DejaVu Sans Mono</family></prefer></alias>
  <alias><family>sans-serif</family><prefer><family>DejaVu Sans</family></prefer></alias>
  <alias><family>serif</family><prefer><family>DejaVu Sans</family></prefer></alias>
  <match target="font">
    <edit name="antialias" mode="assign"><bool>true</bool></edit>
    <edit name="hinting" mode="assign"><bool>true</bool></edit>
    <edit name="autohint" mode="assign"><bool>false</bool></edit>
    <edit name="hintstyle" mode="assign"><const>hintslight</const></edit>
    <edit name="lcdfilter" mode="assign"><const>lcddefault</const></edit>
    <edit name="rgba" mode="assign"><const>none</const></edit>
  </match>
</fontconfig>
]=])
  file(READ ${fonts}/fonts.conf text)
  string(REPLACE "@fonts@" "${fonts}" text "${text}")
  file(WRITE ${fonts}/fonts.conf "${text}")
  set(MT_TEST_FONTCONFIG ${fonts}/fonts.conf PARENT_SCOPE)
endfunction()
if(MT_TESTS)
  mt_make_test_fontconfig()
endif()

# mt_add_qt_test(name SOURCES a.cpp ... LIBS lib ...): a QtTest binary, run offscreen with the
# test fonts. A run in which any case skipped and none failed shows as skipped.
function(mt_add_qt_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  mt_defaults(${name})
  set_target_properties(${name} PROPERTIES AUTOMOC ON AUTORCC ON)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  set(environment "QT_QPA_PLATFORM=offscreen")
  if(MT_TEST_FONTCONFIG)
    list(APPEND environment "FONTCONFIG_FILE=${MT_TEST_FONTCONFIG}")
  endif()
  # A skip regex wins over the exit status, so it must not match a run that failed.
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${environment}" SKIP_REGULAR_EXPRESSION
                                          "Totals: [0-9]+ passed, 0 failed, [1-9][0-9]* skipped")
endfunction()

# mt_add_benchmark(name SOURCES a.cpp ... LIBS lib ...): a Google Benchmark binary (not run by CTest).
function(mt_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  mt_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()
