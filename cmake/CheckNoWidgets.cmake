# Fails the build when the core library's link interface names QtWidgets or
# QtPrintSupport (which drags QtWidgets in with it).
if(LINKS MATCHES "Widgets|PrintSupport")
    message(FATAL_ERROR "sakurabe_core links a widget library: ${LINKS}")
endif()
