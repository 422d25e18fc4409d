# cmake -DINPUT=file -DOUTPUT=header -DNAME=identifier -P embed_file.cmake
# Writes the input's bytes as a constexpr unsigned char array.
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}" "#pragma once\n// Generated from ${INPUT}; do not edit.\ninline constexpr unsigned char ${NAME}[] = {\n${bytes}};\n")
