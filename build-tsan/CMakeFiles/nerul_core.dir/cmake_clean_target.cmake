file(REMOVE_RECURSE
  "libnerul_core.a"
)
