# Warnings for every target of ours (all of them are defined after this file
# is included). Qt and GoogleTest come in as imported targets, so their
# headers are system headers and stay quiet.
#
# CORSA_AVVISI_COME_ERRORI turns warnings into errors. It is off by default so
# that a newer compiler with a new warning does not stop someone's build;
# CI turns it on (scripts/compila.sh reads it from the environment).
option(CORSA_AVVISI_COME_ERRORI "Tratta gli avvisi del compilatore come errori" OFF)

if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  add_compile_options(-Wall -Wextra -Wpedantic)
  if(CORSA_AVVISI_COME_ERRORI)
    add_compile_options(-Werror)
  endif()
endif()
