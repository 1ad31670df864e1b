file(REMOVE_RECURSE
  "CMakeFiles/test_process.dir/process/analysis_process_test.cpp.o"
  "CMakeFiles/test_process.dir/process/analysis_process_test.cpp.o.d"
  "CMakeFiles/test_process.dir/process/command_loop_test.cpp.o"
  "CMakeFiles/test_process.dir/process/command_loop_test.cpp.o.d"
  "CMakeFiles/test_process.dir/process/engine_process.cpp.o"
  "CMakeFiles/test_process.dir/process/engine_process.cpp.o.d"
  "CMakeFiles/test_process.dir/process/harness_test.cpp.o"
  "CMakeFiles/test_process.dir/process/harness_test.cpp.o.d"
  "CMakeFiles/test_process.dir/process/key_tool_test.cpp.o"
  "CMakeFiles/test_process.dir/process/key_tool_test.cpp.o.d"
  "CMakeFiles/test_process.dir/process/same_tree_test.cpp.o"
  "CMakeFiles/test_process.dir/process/same_tree_test.cpp.o.d"
  "CMakeFiles/test_process.dir/process/search_process_test.cpp.o"
  "CMakeFiles/test_process.dir/process/search_process_test.cpp.o.d"
  "CMakeFiles/test_process.dir/support/test_support.cpp.o"
  "CMakeFiles/test_process.dir/support/test_support.cpp.o.d"
  "test_process"
  "test_process.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/test_process.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
