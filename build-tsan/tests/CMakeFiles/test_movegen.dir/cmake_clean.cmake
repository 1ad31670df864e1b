file(REMOVE_RECURSE
  "CMakeFiles/test_movegen.dir/movegen/attacks_test.cpp.o"
  "CMakeFiles/test_movegen.dir/movegen/attacks_test.cpp.o.d"
  "CMakeFiles/test_movegen.dir/movegen/bits_tables_test.cpp.o"
  "CMakeFiles/test_movegen.dir/movegen/bits_tables_test.cpp.o.d"
  "CMakeFiles/test_movegen.dir/movegen/captures_test.cpp.o"
  "CMakeFiles/test_movegen.dir/movegen/captures_test.cpp.o.d"
  "CMakeFiles/test_movegen.dir/movegen/crowded_board_test.cpp.o"
  "CMakeFiles/test_movegen.dir/movegen/crowded_board_test.cpp.o.d"
  "CMakeFiles/test_movegen.dir/movegen/generates_quiet_test.cpp.o"
  "CMakeFiles/test_movegen.dir/movegen/generates_quiet_test.cpp.o.d"
  "CMakeFiles/test_movegen.dir/movegen/move_list_test.cpp.o"
  "CMakeFiles/test_movegen.dir/movegen/move_list_test.cpp.o.d"
  "CMakeFiles/test_movegen.dir/movegen/pins_test.cpp.o"
  "CMakeFiles/test_movegen.dir/movegen/pins_test.cpp.o.d"
  "CMakeFiles/test_movegen.dir/movegen/quiet_test.cpp.o"
  "CMakeFiles/test_movegen.dir/movegen/quiet_test.cpp.o.d"
  "CMakeFiles/test_movegen.dir/movegen/sliders_test.cpp.o"
  "CMakeFiles/test_movegen.dir/movegen/sliders_test.cpp.o.d"
  "CMakeFiles/test_movegen.dir/support/test_support.cpp.o"
  "CMakeFiles/test_movegen.dir/support/test_support.cpp.o.d"
  "test_movegen"
  "test_movegen.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/test_movegen.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
