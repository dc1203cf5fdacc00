# Release executables are self-contained: the compiler's own runtime
# libraries are linked in, so only system DLLs are imported. They are marked
# for ASLR and DEP (and high-entropy ASLR on 64-bit).
add_link_options(-static -static-libgcc -static-libstdc++
                 -Wl,--dynamicbase -Wl,--nxcompat)
# Release programs carry no symbol tables.
add_link_options($<$<CONFIG:Release,MinSizeRel>:-s>)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  add_link_options(-Wl,--high-entropy-va)
endif()
# Windows headers: ANSI entry points, no min/max macros, the Windows 7 API.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601
                        WINVER=0x0601 _WIN32_IE=0x0600)

# ombrel_program(NAME SOURCES...): one GUI executable over the runtime.
function(ombrel_program name)
  add_executable(${name} WIN32 ${ARGN})
  target_link_libraries(${name} PRIVATE ombrel_runtime)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                        "${CMAKE_BINARY_DIR}/bin")
endfunction()
