
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/tools/bench_command.cpp" "CMakeFiles/nerul_tools.dir/tools/bench_command.cpp.o" "gcc" "CMakeFiles/nerul_tools.dir/tools/bench_command.cpp.o.d"
  "/work/main/tools/eval_command.cpp" "CMakeFiles/nerul_tools.dir/tools/eval_command.cpp.o" "gcc" "CMakeFiles/nerul_tools.dir/tools/eval_command.cpp.o.d"
  "/work/main/tools/key_command.cpp" "CMakeFiles/nerul_tools.dir/tools/key_command.cpp.o" "gcc" "CMakeFiles/nerul_tools.dir/tools/key_command.cpp.o.d"
  "/work/main/tools/magics_command.cpp" "CMakeFiles/nerul_tools.dir/tools/magics_command.cpp.o" "gcc" "CMakeFiles/nerul_tools.dir/tools/magics_command.cpp.o.d"
  "/work/main/tools/perft_command.cpp" "CMakeFiles/nerul_tools.dir/tools/perft_command.cpp.o" "gcc" "CMakeFiles/nerul_tools.dir/tools/perft_command.cpp.o.d"
  "/work/main/tools/perft_verify.cpp" "CMakeFiles/nerul_tools.dir/tools/perft_verify.cpp.o" "gcc" "CMakeFiles/nerul_tools.dir/tools/perft_verify.cpp.o.d"
  "/work/main/tools/tool_support.cpp" "CMakeFiles/nerul_tools.dir/tools/tool_support.cpp.o" "gcc" "CMakeFiles/nerul_tools.dir/tools/tool_support.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  "/work/main/build-tsan/CMakeFiles/nerul_core.dir/DependInfo.cmake"
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
