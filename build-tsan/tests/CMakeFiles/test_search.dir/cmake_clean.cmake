file(REMOVE_RECURSE
  "CMakeFiles/test_search.dir/search/aids_test.cpp.o"
  "CMakeFiles/test_search.dir/search/aids_test.cpp.o.d"
  "CMakeFiles/test_search.dir/search/poll_test.cpp.o"
  "CMakeFiles/test_search.dir/search/poll_test.cpp.o.d"
  "CMakeFiles/test_search.dir/search/quiets_later_test.cpp.o"
  "CMakeFiles/test_search.dir/search/quiets_later_test.cpp.o.d"
  "CMakeFiles/test_search.dir/search/reports_test.cpp.o"
  "CMakeFiles/test_search.dir/search/reports_test.cpp.o.d"
  "CMakeFiles/test_search.dir/search/search_nodes_test.cpp.o"
  "CMakeFiles/test_search.dir/search/search_nodes_test.cpp.o.d"
  "CMakeFiles/test_search.dir/support/test_support.cpp.o"
  "CMakeFiles/test_search.dir/support/test_support.cpp.o.d"
  "test_search"
  "test_search.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/test_search.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
