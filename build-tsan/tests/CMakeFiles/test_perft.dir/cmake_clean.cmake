file(REMOVE_RECURSE
  "CMakeFiles/test_perft.dir/perft/perft_test.cpp.o"
  "CMakeFiles/test_perft.dir/perft/perft_test.cpp.o.d"
  "CMakeFiles/test_perft.dir/support/test_support.cpp.o"
  "CMakeFiles/test_perft.dir/support/test_support.cpp.o.d"
  "test_perft"
  "test_perft.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/test_perft.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
