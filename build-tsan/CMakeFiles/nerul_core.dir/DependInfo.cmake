
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/src/board/board.cpp" "CMakeFiles/nerul_core.dir/src/board/board.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/board/board.cpp.o.d"
  "/work/main/src/board/make_move.cpp" "CMakeFiles/nerul_core.dir/src/board/make_move.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/board/make_move.cpp.o.d"
  "/work/main/src/board/snapshot.cpp" "CMakeFiles/nerul_core.dir/src/board/snapshot.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/board/snapshot.cpp.o.d"
  "/work/main/src/eval/evaluate.cpp" "CMakeFiles/nerul_core.dir/src/eval/evaluate.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/eval/evaluate.cpp.o.d"
  "/work/main/src/eval/material.cpp" "CMakeFiles/nerul_core.dir/src/eval/material.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/eval/material.cpp.o.d"
  "/work/main/src/hash/hash.cpp" "CMakeFiles/nerul_core.dir/src/hash/hash.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/hash/hash.cpp.o.d"
  "/work/main/src/hash/zobrist.cpp" "CMakeFiles/nerul_core.dir/src/hash/zobrist.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/hash/zobrist.cpp.o.d"
  "/work/main/src/io/input.cpp" "CMakeFiles/nerul_core.dir/src/io/input.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/io/input.cpp.o.d"
  "/work/main/src/io/output.cpp" "CMakeFiles/nerul_core.dir/src/io/output.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/io/output.cpp.o.d"
  "/work/main/src/io/platform.cpp" "CMakeFiles/nerul_core.dir/src/io/platform.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/io/platform.cpp.o.d"
  "/work/main/src/io/text.cpp" "CMakeFiles/nerul_core.dir/src/io/text.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/io/text.cpp.o.d"
  "/work/main/src/movegen/attacks.cpp" "CMakeFiles/nerul_core.dir/src/movegen/attacks.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/movegen/attacks.cpp.o.d"
  "/work/main/src/movegen/captures.cpp" "CMakeFiles/nerul_core.dir/src/movegen/captures.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/movegen/captures.cpp.o.d"
  "/work/main/src/movegen/perft.cpp" "CMakeFiles/nerul_core.dir/src/movegen/perft.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/movegen/perft.cpp.o.d"
  "/work/main/src/movegen/quiet.cpp" "CMakeFiles/nerul_core.dir/src/movegen/quiet.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/movegen/quiet.cpp.o.d"
  "/work/main/src/movegen/sliders.cpp" "CMakeFiles/nerul_core.dir/src/movegen/sliders.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/movegen/sliders.cpp.o.d"
  "/work/main/src/search/Iterative_Deepening.cpp" "CMakeFiles/nerul_core.dir/src/search/Iterative_Deepening.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/search/Iterative_Deepening.cpp.o.d"
  "/work/main/src/search/aids.cpp" "CMakeFiles/nerul_core.dir/src/search/aids.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/search/aids.cpp.o.d"
  "/work/main/src/search/alpha_beta.cpp" "CMakeFiles/nerul_core.dir/src/search/alpha_beta.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/search/alpha_beta.cpp.o.d"
  "/work/main/src/search/poll.cpp" "CMakeFiles/nerul_core.dir/src/search/poll.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/search/poll.cpp.o.d"
  "/work/main/src/search/quiescence.cpp" "CMakeFiles/nerul_core.dir/src/search/quiescence.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/search/quiescence.cpp.o.d"
  "/work/main/src/search/reports.cpp" "CMakeFiles/nerul_core.dir/src/search/reports.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/search/reports.cpp.o.d"
  "/work/main/src/search/root.cpp" "CMakeFiles/nerul_core.dir/src/search/root.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/search/root.cpp.o.d"
  "/work/main/src/search/threads.cpp" "CMakeFiles/nerul_core.dir/src/search/threads.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/search/threads.cpp.o.d"
  "/work/main/src/uci/bench.cpp" "CMakeFiles/nerul_core.dir/src/uci/bench.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/uci/bench.cpp.o.d"
  "/work/main/src/uci/command_loop.cpp" "CMakeFiles/nerul_core.dir/src/uci/command_loop.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/uci/command_loop.cpp.o.d"
  "/work/main/src/uci/go.cpp" "CMakeFiles/nerul_core.dir/src/uci/go.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/uci/go.cpp.o.d"
  "/work/main/src/uci/options.cpp" "CMakeFiles/nerul_core.dir/src/uci/options.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/uci/options.cpp.o.d"
  "/work/main/src/uci/position.cpp" "CMakeFiles/nerul_core.dir/src/uci/position.cpp.o" "gcc" "CMakeFiles/nerul_core.dir/src/uci/position.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
