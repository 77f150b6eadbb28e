; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer, made by scripts/package-windows with makensis on Linux. It installs
; for the current user alone, without administrator rights, into
; %LOCALAPPDATA%\Programs\vorlunde: the programs, the demo skin and the licences; a Start-menu
; entry that starts the player (which plays the demo beside it); an uninstaller listed among
; the user's apps that removes exactly those files again. /S runs either silently.
; Defined by the caller: VERSION, STAGE (the folder of the files, as in the zip), ICON,
; FILES and REMOVALS (the File and Delete/RMDir commands for that folder), SIZE_KB, OUTFILE.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\vorlunde"

Name "vorlunde"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\vorlunde"
ShowInstDetails show

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "vorlunde"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "vorlunde ${VERSION} setup"
VIAddVersionKey "LegalCopyright" "Free software under the GNU GPL, version 3 or later"

LicenseData "${STAGE}/licences/vorlunde.txt"
Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section
  SetShellVarContext current
  !include "${FILES}"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\vorlunde.lnk" "$INSTDIR\vorlunde.exe" "" "$INSTDIR\vorlunde.exe" 0
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "vorlunde"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "The vorlunde developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vorlunde.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  Delete "$SMPROGRAMS\vorlunde.lnk"
  !include "${REMOVALS}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
