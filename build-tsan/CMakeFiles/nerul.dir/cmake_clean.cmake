file(REMOVE_RECURSE
  "CMakeFiles/nerul.dir/src/main.cpp.o"
  "CMakeFiles/nerul.dir/src/main.cpp.o.d"
  "nerul"
  "nerul.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/nerul.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
