; The Windows installer: the program, its tools and its help under Program
; Files, a Start menu entry and an uninstall entry. Uninstalling removes the
; program and its boot entry and keeps the settings.
;
; makensis -DVERSION=x.y.z -DBINDIR=<MinGW bin folder> -DSOURCEDIR=<repository>
;          -DOUTFILE=<installer.exe> scrubix.nsi
; A 64-bit installer for a 64-bit program (and 64-bit-only Wine runs it).
Target amd64-unicode
SetCompressor /SOLID lzma
!include "x64.nsh"

!define PRODUCT "Scrubix"
!define PUBLISHER "Halvorne Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Scrubix"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
ShowInstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs a 64-bit Windows."
    Abort
  ${EndIf}
  SetRegView 64
FunctionEnd

Section "${PRODUCT}"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${BINDIR}\scrubix.exe"
  File "${BINDIR}\scrubix-scan.exe"
  File "${BINDIR}\scrubix-dispose.exe"
  File "${BINDIR}\scrubix-reg.exe"
  SetOutPath "$INSTDIR\help"
  File "${SOURCEDIR}\docs\help\index.html"
  File "${SOURCEDIR}\docs\help\help.css"
  ; The help page shows the screenshots from ..\screenshots.
  SetOutPath "$INSTDIR\screenshots"
  File "${SOURCEDIR}\docs\screenshots\*.png"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\scrubix.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\scrubix.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\scrubix.exe"
  Delete "$INSTDIR\scrubix-scan.exe"
  Delete "$INSTDIR\scrubix-dispose.exe"
  Delete "$INSTDIR\scrubix-reg.exe"
  Delete "$INSTDIR\help\index.html"
  Delete "$INSTDIR\help\help.css"
  RMDir "$INSTDIR\help"
  Delete "$INSTDIR\screenshots\*.png"
  RMDir "$INSTDIR\screenshots"
  Delete "$INSTDIR\uninstall.exe"
  ; Only an empty folder goes: a file the user put there stays.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; The boot entry would start a program that is gone. The settings
  ; (HKLM\Software\${PUBLISHER}\${PRODUCT}) stay for a later install.
  DeleteRegValue HKLM "${RUN_KEY}" "${PRODUCT}"
SectionEnd
