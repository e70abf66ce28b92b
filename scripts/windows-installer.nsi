; The installer of Tinsora for Windows, made by scripts/windows-package with
; makensis -INPUTCHARSET UTF8 -DVERSION=… -DFILES=… -DUNINSTALL_FILES=…
; -DICON=… -DOUTFILE=…
; It installs for the user alone (no administrator rights) into
; %LOCALAPPDATA%\Programs\Tinsora, with a Start-menu shortcut that starts the
; program in its folder, where it reads the template list tinsora.col.
; Silent with /S; the uninstaller likewise.

Unicode true
; A 64-bit installer: the 32-bit one cannot start where Windows runs 64-bit
; programs only.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tinsora"
!define MENU_FOLDER "$SMPROGRAMS\ティンソラ"

Name "ティンソラ"
Caption "ティンソラ ${VERSION} のセットアップ"
OutFile "${OUTFILE}"
Icon "${ICON}"
UninstallIcon "${ICON}"
InstallDir "$LOCALAPPDATA\Programs\Tinsora"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "ティンソラ"
VIAddVersionKey /LANG=1041 "CompanyName" "tovelind"
VIAddVersionKey /LANG=1041 "FileDescription" "ティンソラ ${VERSION} のセットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\tinsora.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Section "Tinsora"
  SetShellVarContext current
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut's working folder is the output folder at the time it is made.
  SetOutPath "$INSTDIR"
  CreateDirectory "${MENU_FOLDER}"
  CreateShortcut "${MENU_FOLDER}\ティンソラ.lnk" "$INSTDIR\tinsora.exe" "" "$INSTDIR\tinsora.exe" 0
  CreateShortcut "${MENU_FOLDER}\ティンソラのアンインストール.lnk" "$INSTDIR\uninstall.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "ティンソラ"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "tovelind"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tinsora.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The settings (HKCU\Software\tovelind\Tinsora) are the user's and stay.
Section "Uninstall"
  SetShellVarContext current
  Delete "${MENU_FOLDER}\ティンソラ.lnk"
  Delete "${MENU_FOLDER}\ティンソラのアンインストール.lnk"
  RMDir "${MENU_FOLDER}"
  !include "${UNINSTALL_FILES}"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
