# The program's layers, from the bottom up, each a set of folders. A file may
# include files of its own layer and of the layers listed as below it, never one
# above: base/ under everything; the engines and shell/ (what the form layer
# stands on: the Platform seam, the settings file, paths, sound cues) side by
# side above it; the TForm1 layer in form/ above both; the Qt view and the
# command line on top. The build, the include check and the fuzz build all take
# their folders from here, so a new file is covered by its folder alone.
set(QUILLANE_BASE_DIRS base)
set(QUILLANE_ENGINE_DIRS text render effects export)
set(QUILLANE_SHELL_DIRS shell)
set(QUILLANE_FORM_DIRS form resources)
set(QUILLANE_VIEW_DIRS view)
set(QUILLANE_CLI_DIRS cli)

# What each layer may include, by folder.
set(QUILLANE_BASE_MAY_INCLUDE ${QUILLANE_BASE_DIRS})
set(QUILLANE_ENGINE_MAY_INCLUDE ${QUILLANE_BASE_DIRS} ${QUILLANE_ENGINE_DIRS})
set(QUILLANE_SHELL_MAY_INCLUDE ${QUILLANE_BASE_DIRS} ${QUILLANE_SHELL_DIRS})
set(QUILLANE_FORM_MAY_INCLUDE ${QUILLANE_ENGINE_MAY_INCLUDE} ${QUILLANE_SHELL_DIRS}
  ${QUILLANE_FORM_DIRS})
set(QUILLANE_VIEW_MAY_INCLUDE ${QUILLANE_FORM_MAY_INCLUDE} ${QUILLANE_VIEW_DIRS})
set(QUILLANE_CLI_MAY_INCLUDE ${QUILLANE_FORM_MAY_INCLUDE} ${QUILLANE_CLI_DIRS})

set(QUILLANE_LAYERS BASE ENGINE SHELL FORM VIEW CLI)

# The .cpp files of the given folders (relative to root), into var.
function(quillane_sources var root)
  set(patterns "")
  foreach(dir IN LISTS ARGN)
    list(APPEND patterns ${root}/${dir}/*.cpp)
  endforeach()
  file(GLOB found CONFIGURE_DEPENDS ${patterns})
  set(${var} ${found} PARENT_SCOPE)
endfunction()
