# Empty dependencies file for test_perft.
# This may be replaced when dependencies are built.
