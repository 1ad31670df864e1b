# Empty compiler generated dependencies file for test_search.
# This may be replaced when dependencies are built.
