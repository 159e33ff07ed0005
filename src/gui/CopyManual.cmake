# Copies the manual (SOURCE, a folder) to DESTINATION beside the program; without a manual in
# the sources the copy is removed, so the Help button reports it missing.
file(REMOVE_RECURSE "${DESTINATION}")
if(IS_DIRECTORY "${SOURCE}")
  file(COPY "${SOURCE}/" DESTINATION "${DESTINATION}")
endif()
