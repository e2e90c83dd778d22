; The Windows setup program: Tallimo for every account of the computer, in Spanish.
; Made by scripts/make-setup, which defines VERSION, STAGE (the files to install,
; as `cmake --install` lays them out), FILES and UNFILES (the lists of them for
; installing and removing), ICON and OUTFILE.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true
ManifestSupportedOS all

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define UNINST "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallimo"

Name "Tallimo"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tallimo"
; An older version is replaced where it is.
InstallDirRegKey HKLM "${UNINST}" "InstallLocation"
BrandingText "Orvendi"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Spanish"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductName" "Tallimo"
VIAddVersionKey /LANG=${LANG_SPANISH} "CompanyName" "Orvendi"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileDescription" "Instalación de Tallimo"
VIAddVersionKey /LANG=${LANG_SPANISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SPANISH} "LegalCopyright" "Orvendi"

Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

; The register reads the folder layout from C:\Archivos de programa\TLMSystem.txt,
; which leads here: through the junction of a Spanish Windows, or where the
; register finds the programs folder itself. Written now, while the setup may
; write here, so that a normal account never has to; a layout the shop chose
; before is kept. The shop's accounts may change that one file later.
Function RecordLayout
  StrCpy $1 "$PROGRAMFILES64\TLMSystem.txt"
  StrCpy $2 ""
  ClearErrors
  FileOpen $0 $1 r
  ${IfNot} ${Errors}
    FileRead $0 $2
    FileClose $0
  ${EndIf}
  ${If} $2 != " 0 $\r$\n"
  ${AndIf} $2 != " 1 $\r$\n"
    StrCpy $3 " 1 "
    ${IfNot} ${FileExists} "C:\Users\*.*"
      StrCpy $3 " 0 "
    ${EndIf}
    FileOpen $0 $1 w
    FileWrite $0 "$3$\r$\n"
    FileClose $0
  ${EndIf}
  ; The group of all users, by its number, whatever the language of Windows.
  nsExec::Exec '"$SYSDIR\icacls.exe" "$1" /grant *S-1-5-32-545:(M)'
  Pop $0
FunctionEnd

Section "Tallimo"
  SetOutPath "$INSTDIR"
  !include "${FILES}"
  WriteUninstaller "$INSTDIR\desinstalar.exe"

  CreateShortcut "$SMPROGRAMS\Tallimo.lnk" "$INSTDIR\tallimo.exe" "" "$INSTDIR\tallimo.exe" 0 \
    SW_SHOWNORMAL "" "Caja registradora"
  CreateShortcut "$SMPROGRAMS\Resumen de ventas.lnk" "$INSTDIR\tallimo.exe" "--resumen" \
    "$INSTDIR\tallimo.exe" 0 SW_SHOWNORMAL "" "Resumen de las ventas del día"
  CreateShortcut "$DESKTOP\Tallimo.lnk" "$INSTDIR\tallimo.exe" "" "$INSTDIR\tallimo.exe" 0 \
    SW_SHOWNORMAL "" "Caja registradora"

  Call RecordLayout

  WriteRegStr HKLM "${UNINST}" "DisplayName" "Tallimo"
  WriteRegStr HKLM "${UNINST}" "Publisher" "Orvendi"
  WriteRegStr HKLM "${UNINST}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST}" "DisplayIcon" "$INSTDIR\tallimo.exe,0"
  WriteRegStr HKLM "${UNINST}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST}" "UninstallString" '"$INSTDIR\desinstalar.exe"'
  WriteRegStr HKLM "${UNINST}" "QuietUninstallString" '"$INSTDIR\desinstalar.exe" /S'
  WriteRegDWORD HKLM "${UNINST}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINST}" "EstimatedSize" "$0"
SectionEnd

; Only what the setup put there: the sales files, the price list and
; TLMSystem.txt stay where they are.
Section "Uninstall"
  Delete "$SMPROGRAMS\Tallimo.lnk"
  Delete "$SMPROGRAMS\Resumen de ventas.lnk"
  Delete "$DESKTOP\Tallimo.lnk"
  !include "${UNFILES}"
  Delete "$INSTDIR\desinstalar.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINST}"
SectionEnd
