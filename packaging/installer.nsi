; The Windows installer: the release folder under Program Files, two Start-menu
; shortcuts and an entry in the list of installed programs. Silent with /S.
; makensis -DVERSION=... -DVERSION_QUAD=... -DSTAGE=... -DLISTS=... -DOUTFILE=... installer.nsi
Unicode true
!include MUI2.nsh

!define PRODUCT "Zev 方言変換"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zev"
!define MENU_FOLDER "$SMPROGRAMS\Zev 方言変換"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Zev"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1041 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "FileDescription" "${PRODUCT} ${VERSION} のセットアップ"
VIAddVersionKey /LANG=1041 "LegalCopyright" "Copyright (c) 2026 Zev team (MIT License)"

!define MUI_ICON "../converter/mardelko.ico"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE.txt"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Mardelko.exe"
!define MUI_FINISHPAGE_RUN_TEXT "MARDELKO を起動する"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

Section "Zev"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  !include "${LISTS}/install.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "${MENU_FOLDER}"
  CreateShortCut "${MENU_FOLDER}\MARDELKO 方言変換.lnk" "$INSTDIR\Mardelko.exe"
  CreateShortCut "${MENU_FOLDER}\方言辞書エディタ.lnk" "$INSTDIR\zevedit.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Zev team"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Mardelko.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "${MENU_FOLDER}\MARDELKO 方言変換.lnk"
  Delete "${MENU_FOLDER}\方言辞書エディタ.lnk"
  RMDir "${MENU_FOLDER}"
  !include "${LISTS}/uninstall.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
