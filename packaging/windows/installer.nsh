; What the zemra installer adds to CPack's: the .cmp file type, and the vendor's own registry key
; removed with the last of its programs. ZEMRA_VENDOR_KEY names that key.

; Component files (.cmp) open with zemra.exe, which takes the file named on its command line as
; the chosen input. Registered for every user; the uninstaller takes back what it registered.

!define ZEMRA_FILE_TYPE "zemra.cmp"

!macro AssociateComponentFiles
  WriteRegStr SHCTX "Software\Classes\.cmp" "" "${ZEMRA_FILE_TYPE}"
  WriteRegStr SHCTX "Software\Classes\${ZEMRA_FILE_TYPE}" "" "ICT component file"
  WriteRegStr SHCTX "Software\Classes\${ZEMRA_FILE_TYPE}\DefaultIcon" "" "$INSTDIR\zemra.exe,0"
  WriteRegStr SHCTX "Software\Classes\${ZEMRA_FILE_TYPE}\shell\open\command" "" \
    '"$INSTDIR\zemra.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

; .cmp keeps any other program's entries, and its default when another program has taken it.
!macro RemoveComponentFileAssociation
  ReadRegStr $0 SHCTX "Software\Classes\.cmp" ""
  StrCmp $0 "${ZEMRA_FILE_TYPE}" 0 +2
    DeleteRegValue SHCTX "Software\Classes\.cmp" ""
  DeleteRegKey /ifempty SHCTX "Software\Classes\.cmp"
  DeleteRegKey SHCTX "Software\Classes\${ZEMRA_FILE_TYPE}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

; CPack's uninstaller removes the program's key below the vendor's, and this the vendor's when it
; is left empty.
Function un.onUninstSuccess
  DeleteRegKey /ifempty SHCTX "${ZEMRA_VENDOR_KEY}"
FunctionEnd
