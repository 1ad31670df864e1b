file(REMOVE_RECURSE
  "libnerul_tools.a"
)
