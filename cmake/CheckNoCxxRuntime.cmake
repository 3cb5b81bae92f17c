# Fails when an object module refers to a symbol of the C++ runtime library,
# or carries sections that the linker may drop in favour of another module.
execute_process(COMMAND ${NM} -u ${OBJECT} OUTPUT_VARIABLE undefined RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "nm failed on ${OBJECT}")
endif()
string(REGEX MATCHALL "[^\n]*(_Zn[wa]|_Zd[la]|__cxa_|__gxx_|_ZSt|_ZTV|_ZTI|__cxx)[^\n]*" offending "${undefined}")
if(offending)
  message(FATAL_ERROR "${OBJECT} needs the C++ runtime:\n${offending}")
endif()
message(STATUS "${OBJECT}: no C++ runtime symbols")

# Nor may it carry COMDAT groups: their members are local to the module, so
# a group that the linker drops as a duplicate of another module's would take
# away code that this module still calls.
execute_process(COMMAND ${READELF} --section-groups ${OBJECT} OUTPUT_VARIABLE groups
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "readelf failed on ${OBJECT}")
endif()
if(groups MATCHES "COMDAT group")
  message(FATAL_ERROR "${OBJECT} carries COMDAT groups:\n${groups}")
endif()
message(STATUS "${OBJECT}: no COMDAT groups")
