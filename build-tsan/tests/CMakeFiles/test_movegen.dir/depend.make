# Empty dependencies file for test_movegen.
# This may be replaced when dependencies are built.
