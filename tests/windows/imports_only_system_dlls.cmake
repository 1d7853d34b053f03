# cmake -DOBJDUMP=... -DPROGRAMS="a.exe;b.exe" -P imports_only_system_dlls.cmake
# Fails when a program imports a DLL that does not come with Windows, such as the compiler's own
# runtime (libstdc++-6.dll, libgcc_s_seh-1.dll, libwinpthread-1.dll): the program would not start
# on a bare PC.
cmake_minimum_required(VERSION 3.25)

set(systemDlls advapi32.dll bcrypt.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll
    ole32.dll shell32.dll shlwapi.dll user32.dll)
foreach(program IN LISTS PROGRAMS)
  execute_process(COMMAND ${OBJDUMP} -p ${program} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "${OBJDUMP} cannot read ${program}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${headers}")
  foreach(import IN LISTS imports)
    string(REPLACE "DLL Name: " "" dll "${import}")
    string(TOLOWER "${dll}" dll)
    if(NOT dll IN_LIST systemDlls)
      message(FATAL_ERROR "${program} imports ${dll}, which a bare Windows PC does not have")
    endif()
  endforeach()
  message(STATUS "${program}: ${imports}")
endforeach()
