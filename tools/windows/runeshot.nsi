; SPDX-License-Identifier: GPL-3.0-or-later
; SPDX-FileCopyrightText: 2026 The Runeshot developers

; The game's installer for one Windows user, who needs no administrator: the game goes into
; %LOCALAPPDATA%\Programs\Runeshot (or the folder given with /D=), a shortcut into the
; user's Start menu and an entry into the user's list of installed programs; nothing into
; Program Files or the machine's registry. /S installs silently; the uninstaller removes
; exactly what was installed, silently too with /S.
; Built by pack-setup, which defines VERSION, STAGE (the folder the zip is packed from),
; FILES (the lists of its files), SIZE_KB, ICON and OUTFILE.

Unicode true
; The 64-bit stub: the 32-bit one, run by a 64-bit Wine, installed nothing.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
; Installed files get the time they were installed at; the installer's bytes depend on
; what the files hold, not on when they were built.
SetDateSave off

!define ENTRY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Runeshot"

Name "Runeshot"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Runeshot"
; A newer version goes where the older one is.
InstallDirRegKey HKCU "${ENTRY}" "InstallLocation"
BrandingText "Runeshot ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Runeshot"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Runeshot ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "CompanyName" "The Runeshot developers"
VIAddVersionKey /LANG=1033 "LegalCopyright" "2026 The Runeshot developers, GPL-3.0-or-later"

!include MUI2.nsh
!include LogicLib.nsh
!include "${FILES}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_LICENSEPAGE_TEXT_BOTTOM "Runeshot is free software: you may use it for any purpose and pass it on under this licence. Click Next to continue."
!define MUI_LICENSEPAGE_BUTTON "&Next >"
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\runeshot.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section
  ; An installed version is removed first by its own uninstaller, run in place (_?=) and
  ; waited for, so that a file it had and this version lacks does not stay behind.
  ReadRegStr $0 HKCU "${ENTRY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\uninstall.exe"
    ExecWait '"$0\uninstall.exe" /S _?=$0'
    Delete "$0\uninstall.exe"
    RMDir "$0"
  ${EndIf}

  !insertmacro INSTALL_FILES
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut starts the game in its own folder.
  SetOutPath "$INSTDIR"
  CreateShortcut "$SMPROGRAMS\Runeshot.lnk" "$INSTDIR\runeshot.exe" "" "$INSTDIR\runeshot.exe" 0

  WriteRegStr HKCU "${ENTRY}" "DisplayName" "Runeshot"
  WriteRegStr HKCU "${ENTRY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${ENTRY}" "Publisher" "The Runeshot developers"
  WriteRegStr HKCU "${ENTRY}" "DisplayIcon" "$INSTDIR\runeshot.exe,0"
  WriteRegStr HKCU "${ENTRY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${ENTRY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${ENTRY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${ENTRY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKCU "${ENTRY}" "NoModify" 1
  WriteRegDWORD HKCU "${ENTRY}" "NoRepair" 1
SectionEnd

; Only what the installer put there: a file the player left in the folder keeps it. The
; Programs folder and the key above the entry, made by the installer where there were none,
; go only when nothing else is in them.
Section Uninstall
  !insertmacro REMOVE_FILES
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$LOCALAPPDATA\Programs"
  Delete "$SMPROGRAMS\Runeshot.lnk"
  DeleteRegKey HKCU "${ENTRY}"
  DeleteRegKey /ifempty HKCU "Software\Microsoft\Windows\CurrentVersion\Uninstall"
SectionEnd
