file(REMOVE_RECURSE
  "CMakeFiles/test_uci.dir/support/test_support.cpp.o"
  "CMakeFiles/test_uci.dir/support/test_support.cpp.o.d"
  "CMakeFiles/test_uci.dir/uci/command_loop_test.cpp.o"
  "CMakeFiles/test_uci.dir/uci/command_loop_test.cpp.o.d"
  "CMakeFiles/test_uci.dir/uci/fen_reader_test.cpp.o"
  "CMakeFiles/test_uci.dir/uci/fen_reader_test.cpp.o.d"
  "CMakeFiles/test_uci.dir/uci/go_params_test.cpp.o"
  "CMakeFiles/test_uci.dir/uci/go_params_test.cpp.o.d"
  "CMakeFiles/test_uci.dir/uci/moves_list_test.cpp.o"
  "CMakeFiles/test_uci.dir/uci/moves_list_test.cpp.o.d"
  "test_uci"
  "test_uci.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/test_uci.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
