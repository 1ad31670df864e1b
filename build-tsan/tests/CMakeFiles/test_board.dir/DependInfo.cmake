
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/board/board_helpers.cpp" "tests/CMakeFiles/test_board.dir/board/board_helpers.cpp.o" "gcc" "tests/CMakeFiles/test_board.dir/board/board_helpers.cpp.o.d"
  "/work/main/tests/board/clear_board_test.cpp" "tests/CMakeFiles/test_board.dir/board/clear_board_test.cpp.o" "gcc" "tests/CMakeFiles/test_board.dir/board/clear_board_test.cpp.o.d"
  "/work/main/tests/board/make_move_test.cpp" "tests/CMakeFiles/test_board.dir/board/make_move_test.cpp.o" "gcc" "tests/CMakeFiles/test_board.dir/board/make_move_test.cpp.o.d"
  "/work/main/tests/board/round_trip_test.cpp" "tests/CMakeFiles/test_board.dir/board/round_trip_test.cpp.o" "gcc" "tests/CMakeFiles/test_board.dir/board/round_trip_test.cpp.o.d"
  "/work/main/tests/board/snapshot_test.cpp" "tests/CMakeFiles/test_board.dir/board/snapshot_test.cpp.o" "gcc" "tests/CMakeFiles/test_board.dir/board/snapshot_test.cpp.o.d"
  "/work/main/tests/board/unmake_move_test.cpp" "tests/CMakeFiles/test_board.dir/board/unmake_move_test.cpp.o" "gcc" "tests/CMakeFiles/test_board.dir/board/unmake_move_test.cpp.o.d"
  "/work/main/tests/support/test_support.cpp" "tests/CMakeFiles/test_board.dir/support/test_support.cpp.o" "gcc" "tests/CMakeFiles/test_board.dir/support/test_support.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build-tsan/CMakeFiles/nerul_tools.dir/DependInfo.cmake"
  "/work/main/build-tsan/CMakeFiles/nerul_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
