# corsa_test(NAME src... LIBS lib...)
# One GoogleTest executable per call, run by CTest headless.
function(corsa_test name)
  cmake_parse_arguments(T "" "" "LIBS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE corsa_test_support ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set(ambiente QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 ${CORSA_AMBIENTE_SANITIZZATORI})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${ambiente}"
    TIMEOUT 300)
endfunction()
