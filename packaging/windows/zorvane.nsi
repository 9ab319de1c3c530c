; SPDX-License-Identifier: MIT
; Zorvane's installer for Windows: for the user alone, without administrator
; rights, into %LOCALAPPDATA%\Programs\Zorvane, with a Start-menu shortcut and
; an entry in Apps & features that uninstalls it. /S installs silently, and
; the uninstaller takes /S as well. The build passes (packaging/windows/
; CMakeLists.txt):
;   VERSION   the version shown, as 2.0      VERSION4  the same as 2.0.0.0
;   DIST      the folder of files to install  ICON      the program's icon
;   OUTFILE   where the installer goes
!ifndef VERSION | VERSION4 | DIST | ICON | OUTFILE
  !error "makensis -DVERSION=... -DVERSION4=... -DDIST=... -DICON=... -DOUTFILE=... zorvane.nsi"
!endif

Unicode true
; The programs are 64-bit, so the installer is too: on a 32-bit Windows it
; will not start at all rather than install programs that cannot.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zorvane"
!define PUBLISHER "The Zorvane developers"

Name "Zorvane ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Zorvane"
; Installing again goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\zorvane.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; The pages speak the user's language when it is one of these, else English.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Zorvane"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION4}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Zorvane ${VERSION} setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "MIT licence"
VIAddVersionKey /LANG=${LANG_ENGLISH} "OriginalFilename" "zorvane-${VERSION}-setup.exe"

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "Zorvane"
  SetOutPath "$INSTDIR"
  File "${DIST}/zorvane.exe"
  File "${DIST}/zorvane-calc.exe"
  File "${DIST}/README.txt"
  File "${DIST}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Zorvane.lnk" "$INSTDIR\zorvane.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Zorvane ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zorvane.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KiB, as Apps & features reads it.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

LangString PROGRAM_RUNNING ${LANG_ENGLISH} "Zorvane is running. Close it, then choose Retry."
LangString PROGRAM_RUNNING ${LANG_SIMPCHINESE} "Zorvane 正在运行。请先关闭它，然后点击“重试”。"
LangString NOT_UNINSTALLED ${LANG_ENGLISH} "Zorvane is still running: the uninstall was stopped."
LangString NOT_UNINSTALLED ${LANG_SIMPCHINESE} "Zorvane 仍在运行：卸载已停止。"

; Only what the installer put there goes, by name: the folder may be one the
; user chose and share with files of their own, so it is removed only when
; nothing else is left in it.
Section "Uninstall"
  ; A running program cannot be deleted. Rather than leave it behind with
  ; no entry left to uninstall it by, the uninstall stops there (status 2
  ; when silent), its entry kept, so that it can be run again once the
  ; program is closed.
  retry:
  Delete "$INSTDIR\zorvane.exe"
  Delete "$INSTDIR\zorvane-calc.exe"
  IfFileExists "$INSTDIR\zorvane.exe" running
  IfFileExists "$INSTDIR\zorvane-calc.exe" running removed
  running:
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(PROGRAM_RUNNING)" /SD IDCANCEL IDRETRY retry
    Abort "$(NOT_UNINSTALLED)"
  removed:
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Zorvane.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
