# Empty compiler generated dependencies file for test_hash.
# This may be replaced when dependencies are built.
