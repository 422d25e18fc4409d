# cmake -DKEY_FILE=public.key -DHEADER=update_public_key.h -P public_key_header.cmake
file(STRINGS ${KEY_FILE} key LIMIT_COUNT 1)
file(WRITE ${HEADER} "#pragma once\n#define SSQ_UPDATE_PUBLIC_KEY \"${key}\"\n")
