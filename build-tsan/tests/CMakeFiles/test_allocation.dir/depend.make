# Empty dependencies file for test_allocation.
# This may be replaced when dependencies are built.
