# One place for compiler rules; every target links sakurabe_common.
add_library(sakurabe_common INTERFACE)
target_compile_options(sakurabe_common INTERFACE -Wall -Wextra -pedantic -Wno-missing-field-initializers)
target_compile_definitions(sakurabe_common INTERFACE
    QT_NO_CAST_FROM_BYTEARRAY
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_FOREACH
    QT_DISABLE_DEPRECATED_BEFORE=0x060400)
