file(REMOVE_RECURSE
  "CMakeFiles/nerul-tool.dir/tools/nerul_tool.cpp.o"
  "CMakeFiles/nerul-tool.dir/tools/nerul_tool.cpp.o.d"
  "nerul-tool"
  "nerul-tool.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/nerul-tool.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
