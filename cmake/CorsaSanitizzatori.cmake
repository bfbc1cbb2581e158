# CORSA_SANITIZZATORI builds everything with AddressSanitizer (leaks included)
# and UndefinedBehaviorSanitizer; undefined behaviour stops the program
# instead of just printing. scripts/test-sanitizzatori.sh uses it.
option(CORSA_SANITIZZATORI "Compila con AddressSanitizer e UndefinedBehaviorSanitizer" OFF)

# What the tests run with in such a build (see cmake/CorsaTest.cmake), so that
# a plain ctest in that folder checks as much as the script does.
set(CORSA_AMBIENTE_SANITIZZATORI "")

if(CORSA_SANITIZZATORI)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    message(FATAL_ERROR "CORSA_SANITIZZATORI vuole GCC o Clang")
  endif()
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  set(CORSA_AMBIENTE_SANITIZZATORI
    "ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endif()
