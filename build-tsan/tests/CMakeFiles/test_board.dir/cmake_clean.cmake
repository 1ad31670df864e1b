file(REMOVE_RECURSE
  "CMakeFiles/test_board.dir/board/board_helpers.cpp.o"
  "CMakeFiles/test_board.dir/board/board_helpers.cpp.o.d"
  "CMakeFiles/test_board.dir/board/clear_board_test.cpp.o"
  "CMakeFiles/test_board.dir/board/clear_board_test.cpp.o.d"
  "CMakeFiles/test_board.dir/board/make_move_test.cpp.o"
  "CMakeFiles/test_board.dir/board/make_move_test.cpp.o.d"
  "CMakeFiles/test_board.dir/board/round_trip_test.cpp.o"
  "CMakeFiles/test_board.dir/board/round_trip_test.cpp.o.d"
  "CMakeFiles/test_board.dir/board/snapshot_test.cpp.o"
  "CMakeFiles/test_board.dir/board/snapshot_test.cpp.o.d"
  "CMakeFiles/test_board.dir/board/unmake_move_test.cpp.o"
  "CMakeFiles/test_board.dir/board/unmake_move_test.cpp.o.d"
  "CMakeFiles/test_board.dir/support/test_support.cpp.o"
  "CMakeFiles/test_board.dir/support/test_support.cpp.o.d"
  "test_board"
  "test_board.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/test_board.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
