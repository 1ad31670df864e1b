
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/process/analysis_process_test.cpp" "tests/CMakeFiles/test_process.dir/process/analysis_process_test.cpp.o" "gcc" "tests/CMakeFiles/test_process.dir/process/analysis_process_test.cpp.o.d"
  "/work/main/tests/process/command_loop_test.cpp" "tests/CMakeFiles/test_process.dir/process/command_loop_test.cpp.o" "gcc" "tests/CMakeFiles/test_process.dir/process/command_loop_test.cpp.o.d"
  "/work/main/tests/process/engine_process.cpp" "tests/CMakeFiles/test_process.dir/process/engine_process.cpp.o" "gcc" "tests/CMakeFiles/test_process.dir/process/engine_process.cpp.o.d"
  "/work/main/tests/process/harness_test.cpp" "tests/CMakeFiles/test_process.dir/process/harness_test.cpp.o" "gcc" "tests/CMakeFiles/test_process.dir/process/harness_test.cpp.o.d"
  "/work/main/tests/process/key_tool_test.cpp" "tests/CMakeFiles/test_process.dir/process/key_tool_test.cpp.o" "gcc" "tests/CMakeFiles/test_process.dir/process/key_tool_test.cpp.o.d"
  "/work/main/tests/process/same_tree_test.cpp" "tests/CMakeFiles/test_process.dir/process/same_tree_test.cpp.o" "gcc" "tests/CMakeFiles/test_process.dir/process/same_tree_test.cpp.o.d"
  "/work/main/tests/process/search_process_test.cpp" "tests/CMakeFiles/test_process.dir/process/search_process_test.cpp.o" "gcc" "tests/CMakeFiles/test_process.dir/process/search_process_test.cpp.o.d"
  "/work/main/tests/support/test_support.cpp" "tests/CMakeFiles/test_process.dir/support/test_support.cpp.o" "gcc" "tests/CMakeFiles/test_process.dir/support/test_support.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build-tsan/CMakeFiles/nerul_tools.dir/DependInfo.cmake"
  "/work/main/build-tsan/CMakeFiles/nerul_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
