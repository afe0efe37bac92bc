# morav_embed(target NAMESPACE ns FILES f1 f2 ...)
# Compiles data files into the target. The generated header <ns>_embedded.h declares
#   std::optional<std::string_view> ns::embeddedFile(std::string_view fileName);
#   std::vector<std::string_view> ns::embeddedFileNames();
# keyed by the file's name without its directory. The files are re-embedded when they change.
function(morav_embed target)
  cmake_parse_arguments(ARG "" "NAMESPACE" "FILES" ${ARGN})
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/embedded_${ARG_NAMESPACE})
  set(header ${out_dir}/${ARG_NAMESPACE}_embedded.h)
  set(source ${out_dir}/${ARG_NAMESPACE}_embedded.cpp)
  set(abs_files "")
  foreach(f ${ARG_FILES})
    get_filename_component(af ${f} ABSOLUTE)
    list(APPEND abs_files ${af})
  endforeach()
  add_custom_command(
    OUTPUT ${header} ${source}
    COMMAND ${CMAKE_COMMAND} -DNAMESPACE=${ARG_NAMESPACE} -DHEADER=${header} -DSOURCE=${source}
            "-DFILES=${abs_files}" -P ${PROJECT_SOURCE_DIR}/cmake/EmbedGenerate.cmake
    DEPENDS ${abs_files} ${PROJECT_SOURCE_DIR}/cmake/EmbedGenerate.cmake
    COMMENT "Embedding data files for ${target}"
    VERBATIM)  # quotes the list of files for the shell: its ";" would end the command
  target_sources(${target} PRIVATE ${source} ${header})
  target_include_directories(${target} PUBLIC ${out_dir})
endfunction()
