# cmake -DINPUT=FILE -DOUTPUT=FILE.cpp -DNAME=kName -DHEADER=header.h -DNAMESPACE=ns -P embed_text.cmake
#
# Writes a C++ source that defines `const char* const NAME` in NAMESPACE as the bytes of INPUT
# after one newline, so that a page's style sheet and script are kept as the .css and .js files
# they are and still built into the program.
file(READ "${INPUT}" text)
set(delimiter "zemra_text")
string(FIND "${text}" ")${delimiter}\"" clash)
if(NOT clash EQUAL -1)
  message(FATAL_ERROR "${INPUT} holds \")${delimiter}\"\", which ends the literal it is put in")
endif()
get_filename_component(input_name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.new"
  "// Made by the build from ${input_name}: edit that file.\n"
  "#include \"${HEADER}\"\n\n"
  "namespace ${NAMESPACE} {\n\n"
  "const char* const ${NAME} = R\"${delimiter}(\n${text})${delimiter}\";\n\n"
  "}  // namespace ${NAMESPACE}\n")
# Only a change rewrites the source, so that nothing is compiled again for nothing.
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
