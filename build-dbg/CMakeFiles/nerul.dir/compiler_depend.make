# Empty compiler generated dependencies file for nerul.
# This may be replaced when dependencies are built.
