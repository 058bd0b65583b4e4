# One place for compiler rules; every target links sakurabe_common.
add_library(sakurabe_common INTERFACE)
target_compile_options(sakurabe_common INTERFACE
    -Wall -Wextra -pedantic -Wno-missing-field-initializers
    -Wold-style-cast -Woverloaded-virtual -Wnon-virtual-dtor -Wshadow)
if(SAKURABE_WERROR)
    target_compile_options(sakurabe_common INTERFACE -Werror)
endif()
# SAKURABE_SANITIZE=address,undefined builds every target of ours with those
# sanitizers; any report ends the program, so a test that meets one fails.
if(SAKURABE_SANITIZE)
    target_compile_options(sakurabe_common INTERFACE -fsanitize=${SAKURABE_SANITIZE} -fno-sanitize-recover=all
                                                     -fno-omit-frame-pointer)
    target_link_options(sakurabe_common INTERFACE -fsanitize=${SAKURABE_SANITIZE})
endif()
target_compile_definitions(sakurabe_common INTERFACE
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_FOREACH
    QT_DISABLE_DEPRECATED_BEFORE=0x060400)

# What the program's own code is held to beyond that, and the tests are not:
# every text is a QString literal, never a guess at the encoding of a char *.
add_library(sakurabe_production INTERFACE)
target_compile_definitions(sakurabe_production INTERFACE QT_NO_CAST_FROM_ASCII)
