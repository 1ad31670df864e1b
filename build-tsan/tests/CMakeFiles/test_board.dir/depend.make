# Empty dependencies file for test_board.
# This may be replaced when dependencies are built.
