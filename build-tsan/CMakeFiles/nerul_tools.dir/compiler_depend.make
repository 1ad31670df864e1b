# Empty compiler generated dependencies file for nerul_tools.
# This may be replaced when dependencies are built.
