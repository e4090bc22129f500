# quillane_embed(OUT_VAR Name1 file1 Name2 file2 ...)
# Turns each data file into a C++ source defining
#   extern const unsigned char k<Name>Data[]; extern const std::size_t k<Name>Size;
# and appends the generated sources to OUT_VAR. Declarations live in resources/Embedded.h.
function(quillane_embed out_var)
  set(args ${ARGN})
  set(sources)
  list(LENGTH args n)
  math(EXPR last "${n} - 1")
  foreach(i RANGE 0 ${last} 2)
    math(EXPR j "${i} + 1")
    list(GET args ${i} name)
    list(GET args ${j} file)
    set(in ${CMAKE_SOURCE_DIR}/${file})
    set(out ${CMAKE_BINARY_DIR}/generated/embedded_${name}.cpp)
    add_custom_command(OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DNAME=${name} -DIN=${in} -DOUT=${out}
              -P ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
      DEPENDS ${in} ${CMAKE_SOURCE_DIR}/cmake/EmbedFile.cmake
      COMMENT "Embedding ${file}")
    list(APPEND sources ${out})
  endforeach()
  set(${out_var} ${sources} PARENT_SCOPE)
endfunction()
