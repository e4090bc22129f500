# The program's own read-only data (help page, sound cues, icon). Each file is
# placed beside the executables in the build folder, where FindDataFile looks
# first, and its name (a path relative to that folder, such as help/index.htm)
# is recorded in the global property QUILLANE_DATA_FILES, from which the install
# rules put every file under share/quillane.

# quillane_data_copy(SOURCE NAME): copies SOURCE (absolute path) to NAME.
function(quillane_data_copy source name)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${CMAKE_BINARY_DIR}/${name}
    DEPENDS ${source}
    COMMENT "Placing ${name}")
  set_property(GLOBAL APPEND PROPERTY QUILLANE_DATA_FILES ${name})
endfunction()

# quillane_data_generated(NAME ...): records files that a custom command of the
# caller already writes to ${CMAKE_BINARY_DIR}/NAME.
function(quillane_data_generated)
  set_property(GLOBAL APPEND PROPERTY QUILLANE_DATA_FILES ${ARGN})
endfunction()

# quillane_data_target(): builds every recorded file with the default target.
# Call once, after every data file is recorded.
function(quillane_data_target)
  get_property(names GLOBAL PROPERTY QUILLANE_DATA_FILES)
  set(outputs)
  foreach(name IN LISTS names)
    list(APPEND outputs ${CMAKE_BINARY_DIR}/${name})
  endforeach()
  add_custom_target(quillane_data ALL DEPENDS ${outputs})
endfunction()
