
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/support/test_support.cpp" "tests/CMakeFiles/test_uci.dir/support/test_support.cpp.o" "gcc" "tests/CMakeFiles/test_uci.dir/support/test_support.cpp.o.d"
  "/work/main/tests/uci/command_loop_test.cpp" "tests/CMakeFiles/test_uci.dir/uci/command_loop_test.cpp.o" "gcc" "tests/CMakeFiles/test_uci.dir/uci/command_loop_test.cpp.o.d"
  "/work/main/tests/uci/fen_reader_test.cpp" "tests/CMakeFiles/test_uci.dir/uci/fen_reader_test.cpp.o" "gcc" "tests/CMakeFiles/test_uci.dir/uci/fen_reader_test.cpp.o.d"
  "/work/main/tests/uci/go_params_test.cpp" "tests/CMakeFiles/test_uci.dir/uci/go_params_test.cpp.o" "gcc" "tests/CMakeFiles/test_uci.dir/uci/go_params_test.cpp.o.d"
  "/work/main/tests/uci/moves_list_test.cpp" "tests/CMakeFiles/test_uci.dir/uci/moves_list_test.cpp.o" "gcc" "tests/CMakeFiles/test_uci.dir/uci/moves_list_test.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build-tsan/CMakeFiles/nerul_tools.dir/DependInfo.cmake"
  "/work/main/build-tsan/CMakeFiles/nerul_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
