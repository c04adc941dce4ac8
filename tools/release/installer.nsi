; The QZT Level Editor's Windows installer, made by tools/package:
;   makensis -DVERSION=x.y.z -DSTAGE=folder -DFILES=list.nsh -DICON=icon.ico -DOUTFILE=setup.exe installer.nsi
; STAGE holds the files to install as they lie in the program folder; FILES
; installs each of them, one "!insertmacro InstallProgram|InstallDocument PATH"
; a line.
;
; Every file installed is recorded with what it was: the uninstaller and the
; next install remove exactly those, except a document changed since (then it
; is the user's), and leave whatever else lies in the folder.

; 64-bit: a 32-bit installer cannot start on a 64-bit-only Wine.
Target amd64-unicode
SetCompressor /SOLID lzma

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh

!define PRODUCT "QZT Level Editor"
!define PUBLISHER "QZT"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QZTLevelEditor"
; "Folder": where the files went; "Installed files": one value per file, its
; path in the folder and "program" or a document's fingerprint.
!define PRODUCT_KEY "Software\QZT\QZT Level Editor"
!define FILES_KEY "${PRODUCT_KEY}\Installed files"
!define PROGID "QZTedit.Level"
!define EDITOR_SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
!define SAMPLE_SHORTCUT "$SMPROGRAMS\${PRODUCT} sample level.lnk"
!define EDITOR "$INSTDIR\qztedit.exe"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; For all users, in a folder only administrators can change. An upgrade goes
; where this installer put the editor last (an earlier release's C:\QZTedit,
; which any user could change, is not carried on).
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${PRODUCT_KEY}" "Folder"
RequestExecutionLevel admin

VIProductVersion "${VERSION}.0"
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey LegalCopyright "Copyright ${PUBLISHER}"
VIAddVersionKey FileDescription "${PRODUCT} setup"
VIAddVersionKey FileVersion "${VERSION}"
VIAddVersionKey ProductVersion "${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup will install ${PRODUCT} for all users of this computer in the following folder. To install in a different folder, click Browse and select another folder. Over an earlier version, it replaces only the files it installed: your own files, and samples you changed, stay as they are. $_CLICK"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "${EDITOR}"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE English

; Explorer caches the handlers of file types until told they changed.
!macro AssociationsChanged
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!macroend

; A file's size and last-write time, which every save changes; "" when the
; file cannot be read.
!macro Fingerprint PATH RESULT
    ClearErrors
    GetFileTime "${PATH}" $R8 $R9
    FileOpen $R7 "${PATH}" r
    ${If} ${Errors}
        StrCpy ${RESULT} ""
    ${Else}
        FileSeek $R7 0 END $R6
        FileClose $R7
        StrCpy ${RESULT} "$R6 $R8 $R9"
    ${EndIf}
!macroend

; Removes what the last install recorded: its programs, and its documents
; unless changed since; then each folder it leaves empty, up to and with the
; install folder. Forgets the record.
!macro RemoveInstalledFunction UN
Function ${UN}RemoveInstalled
    ReadRegStr $R0 HKLM "${PRODUCT_KEY}" "Folder"
    ${IfThen} $R0 == "" ${|} Return ${|}
    StrCpy $R1 0
    ${Do}
        EnumRegValue $R2 HKLM "${FILES_KEY}" $R1
        ${IfThen} $R2 == "" ${|} ${ExitDo} ${|}
        ReadRegStr $R3 HKLM "${FILES_KEY}" $R2
        StrCpy $R4 "$R0\$R2"
        !insertmacro Fingerprint $R4 $R5
        ${If} $R3 == "program"
        ${OrIf} $R3 == $R5
            SetFileAttributes $R4 NORMAL
            Delete $R4
        ${ElseIf} $R5 != ""
            DetailPrint "Kept $R4: changed since it was installed"
        ${EndIf}
        ${Do}
            ${GetParent} $R4 $R4
            ${IfThen} $R4 == $R0 ${|} ${ExitDo} ${|}
            ${IfThen} $R4 == "" ${|} ${ExitDo} ${|}
            RMDir $R4
        ${Loop}
        IntOp $R1 $R1 + 1
    ${Loop}
    RMDir $R0
    DeleteRegKey HKLM "${PRODUCT_KEY}"
    DeleteRegKey /ifempty HKLM "Software\QZT"
FunctionEnd
!macroend
!insertmacro RemoveInstalledFunction ""
!insertmacro RemoveInstalledFunction "un."

!macro InstallFile PATH
    ${GetParent} "$INSTDIR\${PATH}" $R0
    SetOutPath $R0
    File "/oname=$INSTDIR\${PATH}" "${STAGE}\${PATH}"
!macroend

; A program is always the release's own.
!macro InstallProgram PATH
    !insertmacro InstallFile "${PATH}"
    WriteRegStr HKLM "${FILES_KEY}" "${PATH}" "program"
!macroend

; Any other file is a document, installed read-only. One still there after
; the removal is the user's and stays as it is.
!macro InstallDocument PATH
    ${If} ${FileExists} "$INSTDIR\${PATH}"
        DetailPrint "Kept $INSTDIR\${PATH}: not one this installer put there"
    ${Else}
        !insertmacro InstallFile "${PATH}"
        SetFileAttributes "$INSTDIR\${PATH}" READONLY
        !insertmacro Fingerprint "$INSTDIR\${PATH}" $R0
        WriteRegStr HKLM "${FILES_KEY}" "${PATH}" $R0
    ${EndIf}
!macroend

Section
    SetShellVarContext all
    Call RemoveInstalled
    !include "${FILES}"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    WriteRegStr HKLM "${FILES_KEY}" "uninstall.exe" "program"
    WriteRegStr HKLM "${PRODUCT_KEY}" "Folder" "$INSTDIR"

    SetOutPath "$INSTDIR"
    CreateShortCut "${EDITOR_SHORTCUT}" "${EDITOR}" "" "${EDITOR}" 0
    CreateShortCut "${SAMPLE_SHORTCUT}" "${EDITOR}" '"$INSTDIR\samples\sample.dat"' "${EDITOR}" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "${EDITOR},0"
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
    WriteRegStr HKLM "Software\Classes\${PROGID}\DefaultIcon" "" "${EDITOR},0"
    WriteRegStr HKLM "Software\Classes\${PROGID}\shell\open\command" "" '"${EDITOR}" "%1"'
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

    Delete "${EDITOR_SHORTCUT}"
    Delete "${SAMPLE_SHORTCUT}"
    ; A folder in use cannot be removed.
    SetOutPath $TEMP
    Call un.RemoveInstalled
SectionEnd
