file(REMOVE_RECURSE
  "CMakeFiles/nerul_tools.dir/tools/bench_command.cpp.o"
  "CMakeFiles/nerul_tools.dir/tools/bench_command.cpp.o.d"
  "CMakeFiles/nerul_tools.dir/tools/eval_command.cpp.o"
  "CMakeFiles/nerul_tools.dir/tools/eval_command.cpp.o.d"
  "CMakeFiles/nerul_tools.dir/tools/key_command.cpp.o"
  "CMakeFiles/nerul_tools.dir/tools/key_command.cpp.o.d"
  "CMakeFiles/nerul_tools.dir/tools/magics_command.cpp.o"
  "CMakeFiles/nerul_tools.dir/tools/magics_command.cpp.o.d"
  "CMakeFiles/nerul_tools.dir/tools/perft_command.cpp.o"
  "CMakeFiles/nerul_tools.dir/tools/perft_command.cpp.o.d"
  "CMakeFiles/nerul_tools.dir/tools/perft_verify.cpp.o"
  "CMakeFiles/nerul_tools.dir/tools/perft_verify.cpp.o.d"
  "CMakeFiles/nerul_tools.dir/tools/tool_support.cpp.o"
  "CMakeFiles/nerul_tools.dir/tools/tool_support.cpp.o.d"
  "libnerul_tools.a"
  "libnerul_tools.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/nerul_tools.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
