# Empty compiler generated dependencies file for test_process.
# This may be replaced when dependencies are built.
