# Hardening of the optimised builds (Release, RelWithDebInfo, MinSizeRel):
# buffer overflow checks in the C library's string and memory functions,
# stack canaries, position-independent executables, and a read-only
# relocation table resolved at start-up.
#
# The sanitizer build (KTM220_SANITIZE, a Debug build) and the standalone
# fuzz build (fuzz/, its own project) do without: _FORTIFY_SOURCE needs
# optimisation and gets in the sanitizers' way.

option(KTM220_HARDEN "Build optimised builds with hardening flags" ON)

if(KTM220_HARDEN AND NOT KTM220_SANITIZE)
    include(CheckPIESupported)
    check_pie_supported(OUTPUT_VARIABLE kt_pie_output LANGUAGES CXX)
    if(NOT CMAKE_CXX_LINK_PIE_SUPPORTED)
        message(WARNING "The linker cannot make position-independent executables:\n${kt_pie_output}")
    endif()
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)

    set(kt_optimised "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")
    add_compile_options("$<${kt_optimised}:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>"
                        "$<${kt_optimised}:-fstack-protector-strong>")
    add_link_options("$<${kt_optimised}:-Wl,-z,relro,-z,now>")
endif()
