# Empty compiler generated dependencies file for nerul-tool.
# This may be replaced when dependencies are built.
