# CMake generated Testfile for 
# Source directory: /work/main/tests
# Build directory: /work/main/build-tsan/tests
# 
# This file includes the relevant testing commands required for 
# testing this directory and lists subdirectories to be tested as well.
add_test([=[board]=] "/work/main/build-tsan/tests/test_board")
set_tests_properties([=[board]=] PROPERTIES  LABELS "unit;sanitize" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;21;add_test;/work/main/tests/CMakeLists.txt;25;nerul_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[movegen]=] "/work/main/build-tsan/tests/test_movegen")
set_tests_properties([=[movegen]=] PROPERTIES  LABELS "unit;sanitize" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;21;add_test;/work/main/tests/CMakeLists.txt;26;nerul_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[hash]=] "/work/main/build-tsan/tests/test_hash")
set_tests_properties([=[hash]=] PROPERTIES  LABELS "unit;sanitize" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;21;add_test;/work/main/tests/CMakeLists.txt;27;nerul_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[eval]=] "/work/main/build-tsan/tests/test_eval")
set_tests_properties([=[eval]=] PROPERTIES  LABELS "unit;sanitize" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;21;add_test;/work/main/tests/CMakeLists.txt;28;nerul_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[search]=] "/work/main/build-tsan/tests/test_search")
set_tests_properties([=[search]=] PROPERTIES  LABELS "unit;sanitize" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;21;add_test;/work/main/tests/CMakeLists.txt;29;nerul_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[uci]=] "/work/main/build-tsan/tests/test_uci")
set_tests_properties([=[uci]=] PROPERTIES  LABELS "unit;sanitize" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;21;add_test;/work/main/tests/CMakeLists.txt;30;nerul_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[process]=] "/work/main/build-tsan/tests/test_process")
set_tests_properties([=[process]=] PROPERTIES  LABELS "process;sanitize" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;21;add_test;/work/main/tests/CMakeLists.txt;31;nerul_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[perft]=] "/work/main/build-tsan/tests/test_perft")
set_tests_properties([=[perft]=] PROPERTIES  LABELS "perft" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;21;add_test;/work/main/tests/CMakeLists.txt;32;nerul_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[match_summary]=] "/root/.pyenv/shims/python3" "/work/main/tests/tools/pgn_summary_test.py")
set_tests_properties([=[match_summary]=] PROPERTIES  LABELS "tools" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;37;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[install]=] "sh" "/work/main/tests/install_test.sh" "/work/main" "/work/main/build-tsan")
set_tests_properties([=[install]=] PROPERTIES  LABELS "tools" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;44;add_test;/work/main/tests/CMakeLists.txt;0;")
add_test([=[allocation]=] "/work/main/build-tsan/tests/test_allocation")
set_tests_properties([=[allocation]=] PROPERTIES  LABELS "unit" _BACKTRACE_TRIPLES "/work/main/tests/CMakeLists.txt;21;add_test;/work/main/tests/CMakeLists.txt;46;nerul_test;/work/main/tests/CMakeLists.txt;0;")
