# Empty compiler generated dependencies file for test_eval.
# This may be replaced when dependencies are built.
