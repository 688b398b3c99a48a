# Fails, naming them, when test sources are built by no target (UNBUILT).
if(UNBUILT)
  string(REPLACE ";" "\n  " list "${UNBUILT}")
  message(FATAL_ERROR "These test sources are in no target's source list, so they never run:\n  ${list}")
endif()
message(STATUS "Every test source is built")
