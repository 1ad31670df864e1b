# Empty dependencies file for nerul.
# This may be replaced when dependencies are built.
