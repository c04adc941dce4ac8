; The QZT Level Editor's Windows installer, made by tools/package:
;   makensis -DVERSION=x.y.z -DSTAGE=folder -DFILES=list.nsh -DOUTFILE=setup.exe installer.nsi
; STAGE holds the files to install as they lie in C:\QZTedit; FILES removes
; exactly those again (Delete and RMDir lines), so the uninstaller leaves
; whatever a user put beside them.

; 64-bit: a 32-bit installer cannot start on a 64-bit-only Wine.
Target amd64-unicode
SetCompressor /SOLID lzma

!include MUI2.nsh
!include FileFunc.nsh

!define PRODUCT "QZT Level Editor"
!define PUBLISHER "QZT"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QZTLevelEditor"
!define PROGID "QZTedit.Level"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; Start-up reads the logo from the fixed path C:\QZTedit\LOGO.bmp.
InstallDir "C:\QZTedit"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin

VIProductVersion "${VERSION}.0"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey LegalCopyright "Copyright ${PUBLISHER}"
VIAddVersionKey FileDescription "${PRODUCT} setup"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey ProductVersion "${VERSION}"

!define MUI_DIRECTORYPAGE_TEXT_TOP "The editor reads its start-up logo from C:\QZTedit\LOGO.bmp. Installed elsewhere, it works the same but starts without the logo."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\qztedit.exe"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

; Explorer caches the handlers of file types until told they changed.
!macro AssociationsChanged
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

Section
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File /r "${STAGE}\*.*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortCut "${SHORTCUT}" "$INSTDIR\qztedit.exe"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0

    ; Offered in the "Open with" list of .dat files, never made their default:
    ; many programs use .dat.
    WriteRegNone HKLM "Software\Classes\.dat\OpenWithProgids" "${PROGID}"
    WriteRegStr HKLM "Software\Classes\${PROGID}" "" "QZT level"
    WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\qztedit.exe" "%1"'
    !insertmacro AssociationsChanged
SectionEnd

Section Uninstall
    SetShellVarContext all
    DeleteRegValue HKLM "Software\Classes\.dat\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifempty HKLM "Software\Classes\.dat\OpenWithProgids"
    DeleteRegKey /ifempty HKLM "Software\Classes\.dat"
    DeleteRegKey HKLM "Software\Classes\${PROGID}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    !insertmacro AssociationsChanged

    Delete "${SHORTCUT}"
    !include "${FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
