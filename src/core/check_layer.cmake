# Refuses, in the core's sources, an include of a project header outside
# core/ or of a Qt module other than Core.
file(GLOB sources "${CORE_DIR}/*.h" "${CORE_DIR}/*.cpp")
foreach(source ${sources})
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${includes})
        if(line MATCHES "\"" AND NOT line MATCHES "\"core/[^\"]+\"")
            message(FATAL_ERROR "${source}: the core includes another layer: ${line}")
        endif()
        if(line MATCHES "<Qt(Widgets|Gui|Sql|Network|Test)/" OR line MATCHES "<Q(Widget|Sql|Application|Label|LineEdit|MessageBox|Dialog|Palette|Font|Color)")
            message(FATAL_ERROR "${source}: the core includes a Qt module other than Core: ${line}")
        endif()
    endforeach()
endforeach()
