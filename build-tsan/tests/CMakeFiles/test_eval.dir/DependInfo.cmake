
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tests/eval/eval_helpers.cpp" "tests/CMakeFiles/test_eval.dir/eval/eval_helpers.cpp.o" "gcc" "tests/CMakeFiles/test_eval.dir/eval/eval_helpers.cpp.o.d"
  "/work/main/tests/eval/eval_tool_test.cpp" "tests/CMakeFiles/test_eval.dir/eval/eval_tool_test.cpp.o" "gcc" "tests/CMakeFiles/test_eval.dir/eval/eval_tool_test.cpp.o.d"
  "/work/main/tests/eval/evaluate_test.cpp" "tests/CMakeFiles/test_eval.dir/eval/evaluate_test.cpp.o" "gcc" "tests/CMakeFiles/test_eval.dir/eval/evaluate_test.cpp.o.d"
  "/work/main/tests/eval/kings_test.cpp" "tests/CMakeFiles/test_eval.dir/eval/kings_test.cpp.o" "gcc" "tests/CMakeFiles/test_eval.dir/eval/kings_test.cpp.o.d"
  "/work/main/tests/eval/material_test.cpp" "tests/CMakeFiles/test_eval.dir/eval/material_test.cpp.o" "gcc" "tests/CMakeFiles/test_eval.dir/eval/material_test.cpp.o.d"
  "/work/main/tests/eval/mirror_test.cpp" "tests/CMakeFiles/test_eval.dir/eval/mirror_test.cpp.o" "gcc" "tests/CMakeFiles/test_eval.dir/eval/mirror_test.cpp.o.d"
  "/work/main/tests/eval/pawn_cache_test.cpp" "tests/CMakeFiles/test_eval.dir/eval/pawn_cache_test.cpp.o" "gcc" "tests/CMakeFiles/test_eval.dir/eval/pawn_cache_test.cpp.o.d"
  "/work/main/tests/eval/pawns_test.cpp" "tests/CMakeFiles/test_eval.dir/eval/pawns_test.cpp.o" "gcc" "tests/CMakeFiles/test_eval.dir/eval/pawns_test.cpp.o.d"
  "/work/main/tests/eval/pieces_test.cpp" "tests/CMakeFiles/test_eval.dir/eval/pieces_test.cpp.o" "gcc" "tests/CMakeFiles/test_eval.dir/eval/pieces_test.cpp.o.d"
  "/work/main/tests/eval/tables_test.cpp" "tests/CMakeFiles/test_eval.dir/eval/tables_test.cpp.o" "gcc" "tests/CMakeFiles/test_eval.dir/eval/tables_test.cpp.o.d"
  "/work/main/tests/support/test_support.cpp" "tests/CMakeFiles/test_eval.dir/support/test_support.cpp.o" "gcc" "tests/CMakeFiles/test_eval.dir/support/test_support.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build-tsan/CMakeFiles/nerul_tools.dir/DependInfo.cmake"
  "/work/main/build-tsan/CMakeFiles/nerul_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
