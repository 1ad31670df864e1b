file(REMOVE_RECURSE
  "CMakeFiles/test_eval.dir/eval/eval_helpers.cpp.o"
  "CMakeFiles/test_eval.dir/eval/eval_helpers.cpp.o.d"
  "CMakeFiles/test_eval.dir/eval/eval_tool_test.cpp.o"
  "CMakeFiles/test_eval.dir/eval/eval_tool_test.cpp.o.d"
  "CMakeFiles/test_eval.dir/eval/evaluate_test.cpp.o"
  "CMakeFiles/test_eval.dir/eval/evaluate_test.cpp.o.d"
  "CMakeFiles/test_eval.dir/eval/kings_test.cpp.o"
  "CMakeFiles/test_eval.dir/eval/kings_test.cpp.o.d"
  "CMakeFiles/test_eval.dir/eval/material_test.cpp.o"
  "CMakeFiles/test_eval.dir/eval/material_test.cpp.o.d"
  "CMakeFiles/test_eval.dir/eval/mirror_test.cpp.o"
  "CMakeFiles/test_eval.dir/eval/mirror_test.cpp.o.d"
  "CMakeFiles/test_eval.dir/eval/pawn_cache_test.cpp.o"
  "CMakeFiles/test_eval.dir/eval/pawn_cache_test.cpp.o.d"
  "CMakeFiles/test_eval.dir/eval/pawns_test.cpp.o"
  "CMakeFiles/test_eval.dir/eval/pawns_test.cpp.o.d"
  "CMakeFiles/test_eval.dir/eval/pieces_test.cpp.o"
  "CMakeFiles/test_eval.dir/eval/pieces_test.cpp.o.d"
  "CMakeFiles/test_eval.dir/eval/tables_test.cpp.o"
  "CMakeFiles/test_eval.dir/eval/tables_test.cpp.o.d"
  "CMakeFiles/test_eval.dir/support/test_support.cpp.o"
  "CMakeFiles/test_eval.dir/support/test_support.cpp.o.d"
  "test_eval"
  "test_eval.pdb"
)

# Per-language clean rules from dependency scanning.
foreach(lang CXX)
  include(CMakeFiles/test_eval.dir/cmake_clean_${lang}.cmake OPTIONAL)
endforeach()
