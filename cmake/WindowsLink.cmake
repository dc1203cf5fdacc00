# Release executables are self-contained: the compiler's own runtime
# libraries are linked in, so only system DLLs are imported. They are marked
# for ASLR and DEP (and high-entropy ASLR on 64-bit), and as Terminal Server
# aware: they keep no per-user files in the Windows folder, so a Remote
# Desktop session needs no compatibility shims for them.
add_link_options(-static -static-libgcc -static-libstdc++
                 -Wl,--dynamicbase -Wl,--nxcompat -Wl,--tsaware)
# Release programs carry no symbol tables.
add_link_options($<$<CONFIG:Release,MinSizeRel>:-s>)
# The same sources make the same bytes, whenever and wherever they are
# built: no link time in the PE header (the field stays 0; Windows reads it
# nowhere), and no source or build folder in anything the compiler writes.
add_link_options(-Wl,--no-insert-timestamp)
add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
                    -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  add_link_options(-Wl,--high-entropy-va)
endif()

# Small programs: release builds are optimised for size, every function gets
# its own section, and the linker drops the sections nothing refers to (most
# of the runtime's string library, in a program that uses one or two of its
# routines). The code throws no exceptions, so it carries no unwind tables:
# they would be kept whole by the linker (and every function they name with
# them) only to walk stacks through a fault that ends the process anyway.
# Zero-filled data keeps its shared .bss: with -fdata-sections the linker
# here would write every zeroed buffer into the file.
set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
add_compile_options(-ffunction-sections
  $<$<CONFIG:Release,MinSizeRel>:-fno-asynchronous-unwind-tables>
  $<$<CONFIG:Release,MinSizeRel>:-fno-unwind-tables>)
add_link_options($<$<CONFIG:Release,MinSizeRel>:-Wl,--gc-sections>)

# Windows headers: ANSI entry points, no min/max macros, the Windows 7 API
# (0x0601).
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601
                        WINVER=0x0601 _WIN32_IE=0x0600)

# ombrel_program(NAME SOURCES...): one GUI executable over the runtime.
function(ombrel_program name)
  add_executable(${name} WIN32 ${ARGN})
  target_link_libraries(${name} PRIVATE ombrel_runtime)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY
                        "${CMAKE_BINARY_DIR}/bin")
endfunction()
