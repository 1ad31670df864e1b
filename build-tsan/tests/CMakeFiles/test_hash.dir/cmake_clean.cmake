file(REMOVE_RECURSE
  "CMakeFiles/test_hash.dir/hash/hash_table_test.cpp.o"
  "CMakeFiles/test_hash.dir/hash/hash_table_test.cpp.o.d"
  "CMakeFiles/test_hash.dir/hash/zobrist_test.cpp.o"
  "CMakeFiles/test_hash.dir/hash/zobrist_test.cpp.o.d"
  "CMakeFiles/test_hash.dir/support/test_support.cpp.o"
  "CMakeFiles/test_hash.dir/support/test_support.cpp.o.d"
  "test_hash"
  "test_hash.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/test_hash.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
