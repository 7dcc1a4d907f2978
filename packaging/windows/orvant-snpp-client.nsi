; Installer of the Windows program: one per-machine install in Program
; Files, a Start-menu entry, an uninstaller and its entry in the list of
; installed programs. make-package.sh runs makensis with the defines below;
; the version comes from the build, never from this file.
;   VERSION  the program's version, "2.05"
;   EXE      the stripped program to install
;   README   the readme text shipped beside it
;   OUTFILE  the installer to write
;   ICON     (optional) the program's icon, for the installer and uninstaller

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

; Takes away what the installer put in place. The users' own files (names.txt
; in their profile folders, %APPDATA%\Orvant\snppCl.ini) stay.
Section "Uninstall"
  ; The folder goes last, so that its absence says the rest has gone.
  SetShellVarContext all
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\${PROGRAM}"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
