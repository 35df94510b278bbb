# Flags every target of the project links: language level and warnings.
add_library(tallivoranda_flags INTERFACE)
target_compile_features(tallivoranda_flags INTERFACE cxx_std_20)
target_compile_options(tallivoranda_flags INTERFACE -Wall -Wextra)
if(TALLIVORANDA_WERROR)
    target_compile_options(tallivoranda_flags INTERFACE -Werror)
endif()
