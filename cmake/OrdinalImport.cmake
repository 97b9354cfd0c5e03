# add_ordinal_import(TARGET DLL): an interface library <TARGET>ByOrdinal that
# links against DLL (built by TARGET) through an import library made from
# <TARGET>Ordinal.def in the current source folder, so that every import is
# bound by ordinal only.
function(add_ordinal_import target dll)
  set(def ${CMAKE_CURRENT_SOURCE_DIR}/${target}Ordinal.def)
  set(implib ${CMAKE_ARCHIVE_OUTPUT_DIRECTORY}/lib${target}Ordinal.a)
  add_custom_command(
    OUTPUT ${implib}
    COMMAND ${CMAKE_DLLTOOL} -d ${def} -D ${dll} -l ${implib}
    DEPENDS ${def}
    COMMENT "${target} ordinal import library")
  add_custom_target(${target}OrdinalImplib DEPENDS ${implib})
  add_library(${target}ByOrdinal INTERFACE)
  add_dependencies(${target}ByOrdinal ${target}OrdinalImplib ${target})
  target_link_libraries(${target}ByOrdinal INTERFACE ${implib})
  target_include_directories(${target}ByOrdinal INTERFACE ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()
