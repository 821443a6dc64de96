# AddressSanitizer and UndefinedBehaviorSanitizer for everything built after this point.
set(_launcher_sanitize_flags -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
add_compile_options(${_launcher_sanitize_flags})
add_link_options(${_launcher_sanitize_flags})
