# Empty dependencies file for test_uci.
# This may be replaced when dependencies are built.
