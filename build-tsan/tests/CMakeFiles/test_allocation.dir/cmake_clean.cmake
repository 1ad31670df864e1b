file(REMOVE_RECURSE
  "CMakeFiles/test_allocation.dir/allocation/no_allocation_test.cpp.o"
  "CMakeFiles/test_allocation.dir/allocation/no_allocation_test.cpp.o.d"
  "CMakeFiles/test_allocation.dir/support/test_support.cpp.o"
  "CMakeFiles/test_allocation.dir/support/test_support.cpp.o.d"
  "test_allocation"
  "test_allocation.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/test_allocation.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
