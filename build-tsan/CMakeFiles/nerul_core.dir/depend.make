# Empty dependencies file for nerul_core.
# This may be replaced when dependencies are built.
