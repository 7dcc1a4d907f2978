; Installer of the Windows program: a welcome page, the choice between an
; install for all users (in Program Files, administrators only) and one for
; the current user alone (in the user's own programs folder, no
; administrator needed), a Start-menu entry, an uninstaller and its entry in
; the list of installed programs, and a finish page that offers to start the
; program. Silently: /S, with /AllUsers or /CurrentUser (by default where an
; earlier install went, else all users for an administrator, else the
; current user).
; make-package.sh runs makensis with the defines below, read from the
; program's own version block; the version is never written in this file.
;   VERSION    the program's version, "2.05"
;   VERSION4   the same as four numbers, "2.5.0.0"
;   COPYRIGHT  the program's copyright line
;   EXE        the stripped program to install
;   README     the readme text shipped beside it
;   OUTFILE    the installer to write
;   ICON       (optional) the program's icon, for the installer and uninstaller
;   PAGER      (optional) the stripped command-line pager, orvant-snpp-page.exe,
;              installed beside the program; the installer offers to put the
;              folder on the PATH, the machine's or the user's as the install
;              is (silently: /S /PATH)

!ifndef VERSION | VERSION4 | COPYRIGHT | EXE | README | OUTFILE
  !error "makensis needs -DVERSION= -DVERSION4= -DCOPYRIGHT= -DEXE= -DREADME= -DOUTFILE="
!endif

; A 64-bit installer: the 32-bit stub would need a 32-bit Windows layer
; that 64-bit-only systems lack.
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "Orvant SNPP Client"
!define PUBLISHER "Orvant Inc."
!define PROGRAM "orvant-snpp-client.exe"
!define HOMEPAGE "https://www.orvant.example/"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
; The PATH lives in one of two places: the machine's for all users, the
; user's own (HKCU) otherwise.
!define MACHINE_ENVIRONMENT_KEY "SYSTEM\CurrentControlSet\Control\Session Manager\Environment"
!define USER_ENVIRONMENT_KEY "Environment"

!include "FileFunc.nsh"
!include "Sections.nsh"
!include "WinMessages.nsh"
!include "WordFunc.nsh"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
ShowInstDetails show
ShowUninstDetails show

; All users or the current user: the uninstall key says which one an
; uninstaller removes. "Highest" asks an administrator to confirm, and
; lets anyone else install for themselves without asking.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "UninstallString"
!include MultiUser.nsh
!include MUI2.nsh

!ifdef ICON
  !define MUI_ICON "${ICON}"
  !define MUI_UNICON "${ICON}"
!endif
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!ifdef PAGER
  !insertmacro MUI_PAGE_COMPONENTS
!endif
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

; Started from the finish page, the program works where its Start-menu entry
; starts it: the user's profile folder, which is theirs to write.
Function StartProgram
  SetOutPath "$PROFILE"
  Exec '"$INSTDIR\${PROGRAM}"'
  SetOutPath "$INSTDIR"
FunctionEnd

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "LegalCopyright" "${COPYRIGHT}"

Section "Install"
  SetOutPath "$INSTDIR"
  File "/oname=${PROGRAM}" "${EXE}"
  File "/oname=README.txt" "${README}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The program keeps names.txt in its working folder, and Program Files is
  ; not the user's to write. The shortcut starts it in the profile folder of
  ; whoever opens it: the shell expands the variable at start, so one
  ; shortcut for all users serves each of them. CreateShortcut takes the
  ; working folder from $OUTDIR, which SetOutPath would try to create; set it
  ; as text.
  StrCpy $OUTDIR "%USERPROFILE%"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0
  SetOutPath "$INSTDIR"

  ; SHCTX: the machine's list for all users, the user's own otherwise.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "HelpLink" "${HOMEPAGE}"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

!ifdef PAGER
Section "orvant-snpp-page, the command-line pager" SecPager
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "/oname=orvant-snpp-page.exe" "${PAGER}"
SectionEnd

; The folder goes at the end of the PATH, once; the uninstaller takes out
; only what this put there.
Section /o "Put orvant-snpp-page on the PATH" SecPath
  Call EnvironmentKey
  ReadRegStr $0 SHCTX "$R9" "Path"
  ClearErrors
  ${WordFind} "$0" "$INSTDIR" "E+1{" $1
  IfErrors 0 path_done
  StrCmp $0 "" 0 path_append
  StrCpy $0 "$INSTDIR"
  Goto path_write
  path_append:
  StrCpy $0 "$0;$INSTDIR"
  path_write:
  WriteRegExpandStr SHCTX "$R9" "Path" "$0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "AddedToPath" "$INSTDIR"
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
  path_done:
SectionEnd
!endif

; Last, once every part is in: in KB, what the installed files take.
Section "-Size"
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Function .onInit
  !insertmacro MULTIUSER_INIT
!ifdef PAGER
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} "$0" "/PATH" $1
  IfErrors path_asked_not
  SectionSetFlags ${SecPath} ${SF_SELECTED}
  path_asked_not:
!endif
FunctionEnd

!macro ENVIRONMENT_KEY un
; $R9: the key under SHCTX that holds the PATH of this install's users.
Function ${un}EnvironmentKey
  StrCpy $R9 "${USER_ENVIRONMENT_KEY}"
  StrCmp $MultiUser.InstallMode "AllUsers" 0 +2
  StrCpy $R9 "${MACHINE_ENVIRONMENT_KEY}"
FunctionEnd
!macroend
!ifdef PAGER
  !insertmacro ENVIRONMENT_KEY ""
!endif
!insertmacro ENVIRONMENT_KEY "un."

; Takes away what the installer put in place. The users' own files (names.txt
; in their profile folders, %APPDATA%\Orvant\snppCl.ini) stay.
Section "Uninstall"
  ; The folder goes last, so that its absence says the rest has gone.
  ReadRegStr $1 SHCTX "${UNINSTALL_KEY}" "AddedToPath"
  StrCmp $1 "" path_kept
  Call un.EnvironmentKey
  ReadRegStr $0 SHCTX "$R9" "Path"
  ${un.WordReplace} "$0" ";$1" "" "+" $0
  ${un.WordReplace} "$0" "$1" "" "+" $0
  WriteRegExpandStr SHCTX "$R9" "Path" "$0"
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
  path_kept:
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\${PROGRAM}"
  Delete "$INSTDIR\orvant-snpp-page.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
