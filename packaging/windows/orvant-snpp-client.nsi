; Installer of the Windows program: one per-machine install in Program
; Files, a Start-menu entry, an uninstaller and its entry in the list of
; installed programs. make-package.sh runs makensis with the defines below;
; the version comes from the build, never from this file.
;   VERSION  the program's version, "2.05"
;   EXE      the stripped program to install
;   README   the readme text shipped beside it
;   OUTFILE  the installer to write
;   ICON     (optional) the program's icon, for the installer and uninstaller
;   PAGER    (optional) the stripped command-line pager, orvant-snpp-page.exe,
;            installed beside the program; the installer offers to put the
;            folder on the system's PATH (silently: /S /PATH)

!ifndef VERSION | EXE | README | OUTFILE
  !error "makensis needs -DVERSION= -DEXE= -DREADME= -DOUTFILE="
!endif

; A 64-bit installer: the 32-bit stub would need a 32-bit Windows layer
; that 64-bit-only systems lack.
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "Orvant SNPP Client"
!define PUBLISHER "Orvant Inc."
!define PROGRAM "orvant-snpp-client.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define ENVIRONMENT_KEY "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"

!include "FileFunc.nsh"
!include "Sections.nsh"
!include "WinMessages.nsh"
!include "WordFunc.nsh"

Name "${PRODUCT} ${VERSION}"
!ifdef ICON
  Icon "${ICON}"
  UninstallIcon "${ICON}"
!endif
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

; Four numbers for the file's version resource; the texts carry "2.05".
VIProductVersion "${VERSION}.0.0"
VIFileVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!ifdef PAGER
Page components
!endif
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Install"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "/oname=${PROGRAM}" "${EXE}"
  File "/oname=README.txt" "${README}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The program keeps names.txt in its working folder, and Program Files is
  ; not the user's to write. The shortcut starts it in the profile folder of
  ; whoever opens it: the shell expands the variable at start, so one
  ; per-machine shortcut serves every user. CreateShortcut takes the working
  ; folder from $OUTDIR, which SetOutPath would try to create; set it as text.
  StrCpy $OUTDIR "%USERPROFILE%"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0
  SetOutPath "$INSTDIR"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

!ifdef PAGER
Section "orvant-snpp-page, the command-line pager" SecPager
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "/oname=orvant-snpp-page.exe" "${PAGER}"
SectionEnd

; The folder goes at the end of the system's PATH, once; the uninstaller
; takes out only what this put there.
Section /o "Put orvant-snpp-page on the PATH" SecPath
  ReadRegStr $0 HKLM "${ENVIRONMENT_KEY}" "Path"
  ClearErrors
  ${WordFind} "$0" "$INSTDIR" "E+1{" $1
  IfErrors 0 path_done
  StrCmp $0 "" 0 path_append
  StrCpy $0 "$INSTDIR"
  Goto path_write
  path_append:
  StrCpy $0 "$0;$INSTDIR"
  path_write:
  WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" "$0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "AddedToPath" "$INSTDIR"
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
  path_done:
SectionEnd

Function .onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} "$0" "/PATH" $1
  IfErrors path_asked_not
  SectionSetFlags ${SecPath} ${SF_SELECTED}
  path_asked_not:
FunctionEnd
!endif

; Takes away what the installer put in place. The users' own files (names.txt
; in their profile folders, %APPDATA%\Orvant\snppCl.ini) stay.
Section "Uninstall"
  ; The folder goes last, so that its absence says the rest has gone.
  SetShellVarContext all
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "AddedToPath"
  StrCmp $1 "" path_kept
  ReadRegStr $0 HKLM "${ENVIRONMENT_KEY}" "Path"
  ${un.WordReplace} "$0" ";$1" "" "+" $0
  ${un.WordReplace} "$0" "$1" "" "+" $0
  WriteRegExpandStr HKLM "${ENVIRONMENT_KEY}" "Path" "$0"
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
  path_kept:
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\${PROGRAM}"
  Delete "$INSTDIR\orvant-snpp-page.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
