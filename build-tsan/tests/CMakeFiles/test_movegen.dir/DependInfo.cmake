
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/movegen/attacks_test.cpp" "tests/CMakeFiles/test_movegen.dir/movegen/attacks_test.cpp.o" "gcc" "tests/CMakeFiles/test_movegen.dir/movegen/attacks_test.cpp.o.d"
  "/work/main/tests/movegen/bits_tables_test.cpp" "tests/CMakeFiles/test_movegen.dir/movegen/bits_tables_test.cpp.o" "gcc" "tests/CMakeFiles/test_movegen.dir/movegen/bits_tables_test.cpp.o.d"
  "/work/main/tests/movegen/captures_test.cpp" "tests/CMakeFiles/test_movegen.dir/movegen/captures_test.cpp.o" "gcc" "tests/CMakeFiles/test_movegen.dir/movegen/captures_test.cpp.o.d"
  "/work/main/tests/movegen/crowded_board_test.cpp" "tests/CMakeFiles/test_movegen.dir/movegen/crowded_board_test.cpp.o" "gcc" "tests/CMakeFiles/test_movegen.dir/movegen/crowded_board_test.cpp.o.d"
  "/work/main/tests/movegen/generates_quiet_test.cpp" "tests/CMakeFiles/test_movegen.dir/movegen/generates_quiet_test.cpp.o" "gcc" "tests/CMakeFiles/test_movegen.dir/movegen/generates_quiet_test.cpp.o.d"
  "/work/main/tests/movegen/move_list_test.cpp" "tests/CMakeFiles/test_movegen.dir/movegen/move_list_test.cpp.o" "gcc" "tests/CMakeFiles/test_movegen.dir/movegen/move_list_test.cpp.o.d"
  "/work/main/tests/movegen/pins_test.cpp" "tests/CMakeFiles/test_movegen.dir/movegen/pins_test.cpp.o" "gcc" "tests/CMakeFiles/test_movegen.dir/movegen/pins_test.cpp.o.d"
  "/work/main/tests/movegen/quiet_test.cpp" "tests/CMakeFiles/test_movegen.dir/movegen/quiet_test.cpp.o" "gcc" "tests/CMakeFiles/test_movegen.dir/movegen/quiet_test.cpp.o.d"
  "/work/main/tests/movegen/sliders_test.cpp" "tests/CMakeFiles/test_movegen.dir/movegen/sliders_test.cpp.o" "gcc" "tests/CMakeFiles/test_movegen.dir/movegen/sliders_test.cpp.o.d"
  "/work/main/tests/support/test_support.cpp" "tests/CMakeFiles/test_movegen.dir/support/test_support.cpp.o" "gcc" "tests/CMakeFiles/test_movegen.dir/support/test_support.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build-tsan/CMakeFiles/nerul_tools.dir/DependInfo.cmake"
  "/work/main/build-tsan/CMakeFiles/nerul_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
