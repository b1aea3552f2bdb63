; The installer of the Quillane PopUp Blocker tray controller: per user, no
; administrator rights, upgrades in place without touching the user's
; exceptions list. Built by CMake (target "installer") with
;   makensis -DVERSION=1.1.0 -DSTAGE=<program folder> -DICON=<icon> -DOUTFILE=<setup.exe>
;            -DUPGRADE_CODE=<the MSI's upgrade code>
;            [-DSIGN=<command that signs the file it is given in place>]

Unicode true
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WordFunc.nsh

!define PRODUCT "Quillane PopUp Blocker"
!define PUBLISHER "Quillane"
!define EXE "Stilvane.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuillanePopUpBlocker"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; The controller's hidden application window, and the message that ends it
; at once, without asking about unsaved edits (timer stopped, tray icon
; removed).
!define CONTROLLER_WINDOW "StilvaneApplication"
!define CLOSE_MESSAGE "Quillane.PopUpBlocker.CloseForUpdate"
; The longest folder whose files Windows can still create without long-path
; support: "\popup-exp.ini.bak" (the program's backup of the list, the
; longest name in the folder) after it stays within MAX_PATH (259
; characters).
!define MAX_FOLDER_LENGTH 241

Name "${PRODUCT}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
SetCompressor /SOLID lzma
; Installed files carry the time of the installation; the installer holds no
; build time and is the same for every build of one version.
SetDateSave off
!ifdef SIGN
    !uninstfinalize '"${SIGN}" "%1"' = 0
    !finalize '"${SIGN}" "%1"' = 0
!endif
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Quillane"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "$(StartNow)"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "German"

LangString ProgramFiles ${LANG_ENGLISH} "${PRODUCT} (required)"
LangString ProgramFiles ${LANG_GERMAN} "${PRODUCT} (erforderlich)"
LangString StartAtSignIn ${LANG_ENGLISH} "Start ${PRODUCT} when I sign in"
LangString StartAtSignIn ${LANG_GERMAN} "${PRODUCT} bei der Anmeldung starten"
LangString StartNow ${LANG_ENGLISH} "Start ${PRODUCT} now"
LangString StartNow ${LANG_GERMAN} "${PRODUCT} jetzt starten"
LangString StillRunning ${LANG_ENGLISH} "${PRODUCT} is still running. Please quit it from its tray menu and try again."
LangString StillRunning ${LANG_GERMAN} "${PRODUCT} läuft noch. Bitte über das Menü des Symbols beenden und noch einmal versuchen."
LangString NoFolder ${LANG_ENGLISH} "The folder $INSTDIR cannot be created or written. Please choose another one."
LangString NoFolder ${LANG_GERMAN} "Der Ordner $INSTDIR kann nicht angelegt oder beschrieben werden. Bitte einen anderen wählen."
LangString FileInUse ${LANG_ENGLISH} "$R1 cannot be replaced: another program uses it. Please close that program and run the setup again."
LangString FileInUse ${LANG_GERMAN} "$R1 kann nicht ersetzt werden: ein anderes Programm benutzt die Datei. Bitte dieses Programm schließen und die Installation noch einmal starten."
LangString FolderTooLong ${LANG_ENGLISH} "The folder's name is too long ($R2 characters; at most ${MAX_FOLDER_LENGTH} fit). Please choose a shorter one."
LangString FolderTooLong ${LANG_GERMAN} "Der Name des Ordners ist zu lang ($R2 Zeichen; höchstens ${MAX_FOLDER_LENGTH} sind möglich). Bitte einen kürzeren wählen."
LangString TwoLists ${LANG_ENGLISH} "$INSTDIR already holds a list of exceptions (popup-exp.ini), and the installation in $InstalledDir has its own. Please keep one of them (move or delete the other) and run the setup again."
LangString TwoLists ${LANG_GERMAN} "$INSTDIR enthält schon eine Liste der Ausnahmen (popup-exp.ini), und die Installation in $InstalledDir hat ihre eigene. Bitte eine davon behalten (die andere verschieben oder löschen) und die Installation noch einmal starten."
LangString NotMoved ${LANG_ENGLISH} "The list of exceptions cannot be moved from $InstalledDir to $INSTDIR. Please close the program that uses it and run the setup again."
LangString NotMoved ${LANG_GERMAN} "Die Liste der Ausnahmen kann nicht von $InstalledDir nach $INSTDIR verschoben werden. Bitte das Programm schließen, das sie benutzt, und die Installation noch einmal starten."
LangString InstalledWithMsi ${LANG_ENGLISH} "${PRODUCT} is already installed with the MSI; remove it first, or use the MSI to upgrade."
LangString InstalledWithMsi ${LANG_GERMAN} "${PRODUCT} ist bereits mit dem MSI installiert; bitte zuerst entfernen oder mit dem MSI aktualisieren."
LangString NewerInstalled ${LANG_ENGLISH} "A newer version of ${PRODUCT} ($R2) is already installed."
LangString NewerInstalled ${LANG_GERMAN} "Eine neuere Version von ${PRODUCT} ($R2) ist bereits installiert."

Var WasRunning
Var RequestedDir
Var RequestedDirLength
; The folder of the installed copy, when it is another than $INSTDIR: the
; installation moves from there.
Var InstalledDir

; Ends the installation as failed: a message (none when silent) and a
; non-zero exit code. $R1: the message.
!macro Fail un
Function ${un}Fail
    MessageBox MB_OK|MB_ICONSTOP "$R1" /SD IDOK
    SetErrorLevel 2
    Abort
FunctionEnd
!macroend
!insertmacro Fail ""
!insertmacro Fail "un."

; Asks a running controller to end, as Windows does, and waits until its
; files are free. Sets $WasRunning.
!macro CloseController un
Function ${un}CloseController
    StrCpy $WasRunning 0
    FindWindow $0 "${CONTROLLER_WINDOW}"
    ${If} $0 = 0
        Return
    ${EndIf}
    StrCpy $WasRunning 1
    System::Call 'user32::RegisterWindowMessageW(w "${CLOSE_MESSAGE}") i .r1'
    SendMessage $0 $1 0 0 /TIMEOUT=5000
    StrCpy $1 0
    ${DoWhile} $1 < 100
        Sleep 100
        FindWindow $0 "${CONTROLLER_WINDOW}"
        ${If} $0 = 0
            ; The window goes as the process ends; give it a moment to let
            ; go of its executable.
            Sleep 300
            Return
        ${EndIf}
        IntOp $1 $1 + 1
    ${Loop}
    StrCpy $R1 "$(StillRunning)"
    Call ${un}Fail
FunctionEnd
!macroend
!insertmacro CloseController ""
!insertmacro CloseController "un."

; Deletes the program's files from a folder, and the folder when nothing
; else is left in it. Kept: popup-exp.ini, the user's own list, and with it
; the folder.
!macro DeleteProgram folder
    Delete "${folder}\${EXE}"
    Delete "${folder}\popup.ini"
    Delete "${folder}\DIALECTS.INI"
    Delete "${folder}\README.txt"
    Delete "${folder}\uninstall.exe"
    RMDir "${folder}"
!macroend

; The file system's identity of the folder $R6 (its volume and file index, the
; same however the folder is spelled: another case, a short name, "." or
; "..", a link to it), in $R6; "" when it cannot be opened.
Function FolderIdentity
    System::Call 'kernel32::CreateFileW(w R6, i 0, i 7, p 0, i 3, i 0x02000000, p 0) p .R7'
    StrCpy $R6 ""
    ${If} $R7 P> 0
        System::Call '*(&i52) p .R8'
        System::Call 'kernel32::GetFileInformationByHandle(p R7, p R8) i .R9'
        ${If} $R9 <> 0
            IntPtrOp $R9 $R8 + 28
            System::Call '*$R9(i .R6)'
            IntPtrOp $R9 $R8 + 44
            System::Call '*$R9(i .R9, i .R5)'
            StrCpy $R6 "$R6:$R9:$R5"
        ${EndIf}
        System::Free $R8
        System::Call 'kernel32::CloseHandle(p R7)'
    ${EndIf}
FunctionEnd

; Installs one file of the program folder. A file in use (the controller may
; still be letting go of it, or another program holds it) is tried again for
; five seconds; then the installation fails rather than keep the old file.
!macro InstallFile name
    StrCpy $R0 0
    ${Do}
        ClearErrors
        File "${STAGE}/${name}"
        ${IfNot} ${Errors}
            ${Break}
        ${EndIf}
        IntOp $R0 $R0 + 1
        ${If} $R0 >= 20
            StrCpy $R1 "$INSTDIR\${name}"
            StrCpy $R1 "$(FileInUse)"
            Call Fail
        ${EndIf}
        Sleep 250
    ${Loop}
!macroend

Section "$(ProgramFiles)" SecProgram
    SectionIn RO
    ; A folder that cannot be used exactly as given ends the installation
    ; before anything is written, and before a running controller is
    ; closed: one longer than a path of Windows may be (given by /D=, it
    ; has already been cut to fit an NSIS string), or, given by /D= to a
    ; silent installation, one NSIS replaced by the default folder (a file
    ; in its way, no such drive).
    StrLen $R2 $INSTDIR
    ${If} $RequestedDir == $INSTDIR
    ${AndIf} $RequestedDirLength > $R2
        StrCpy $R2 $RequestedDirLength
    ${EndIf}
    ${If} $R2 > ${MAX_FOLDER_LENGTH}
        StrCpy $R1 "$(FolderTooLong)"
        Call Fail
    ${EndIf}
    ${If} ${Silent}
    ${AndIf} $RequestedDir != ""
    ${AndIf} $RequestedDir != $INSTDIR
        StrCpy $INSTDIR $RequestedDir
        StrCpy $R1 "$(NoFolder)"
        Call Fail
    ${EndIf}
    StrCpy $R6 $INSTDIR
    Call FolderIdentity
    StrCpy $R3 $R6
    StrCpy $R6 $InstalledDir
    Call FolderIdentity
    ${If} $R3 != ""
    ${AndIf} $R3 == $R6
        ; Upgraded in place, the folder keeps the spelling it was recorded by.
        StrCpy $INSTDIR $InstalledDir
        StrCpy $InstalledDir ""
    ${ElseIf} $InstalledDir == ""
    ${OrIfNot} ${FileExists} "$InstalledDir\${EXE}"
        StrCpy $InstalledDir ""
    ${ElseIf} ${FileExists} "$INSTDIR\popup-exp.ini"
    ${AndIf} ${FileExists} "$InstalledDir\popup-exp.ini"
        StrCpy $R1 "$(TwoLists)"
        Call Fail
    ${EndIf}
    Call CloseController
    ClearErrors
    SetOutPath "$INSTDIR"
    ${If} ${Errors}
    ${OrIfNot} ${FileExists} "$INSTDIR\*.*"
        StrCpy $R1 "$(NoFolder)"
        Call Fail
    ${EndIf}
    SetOverwrite try
    !insertmacro InstallFile "${EXE}"
    !insertmacro InstallFile popup.ini
    !insertmacro InstallFile DIALECTS.INI
    !insertmacro InstallFile README.txt
    ; Installed elsewhere before: once the program is in place, the user's
    ; list (and its backup) comes along, and the old folder's program goes.
    ${If} $InstalledDir != ""
        ${If} ${FileExists} "$InstalledDir\popup-exp.ini"
            ClearErrors
            Rename "$InstalledDir\popup-exp.ini" "$INSTDIR\popup-exp.ini"
            ${If} ${Errors}
                StrCpy $R1 "$(NotMoved)"
                Call Fail
            ${EndIf}
        ${EndIf}
        ${IfNot} ${FileExists} "$INSTDIR\popup-exp.ini.bak"
            Rename "$InstalledDir\popup-exp.ini.bak" "$INSTDIR\popup-exp.ini.bak"
        ${EndIf}
        !insertmacro DeleteProgram "$InstalledDir"
    ${EndIf}
    ; The user's exceptions: only an installation without them gets the
    ; empty list.
    SetOverwrite off
    ClearErrors
    File "${STAGE}/popup-exp.ini"
    ${If} ${Errors}
    ${AndIfNot} ${FileExists} "$INSTDIR\popup-exp.ini"
        StrCpy $R1 "$(NoFolder)"
        Call Fail
    ${EndIf}
    SetOverwrite on
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    IntFmt $0 "0x%08X" $0
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "$(StartAtSignIn)" SecAutostart
    WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\${EXE}"'
SectionEnd

Section "-Finish"
    ${IfNot} ${SectionIsSelected} ${SecAutostart}
        DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    ${EndIf}
    ; A controller that was running comes back. A silent installation
    ; starts one too, unless told /NOSTART; otherwise the finish page offers it.
    ${GetParameters} $0
    StrCpy $2 0
    ClearErrors
    ${GetOptions} $0 "/NOSTART" $1
    ${IfNot} ${Errors}
        StrCpy $2 1
    ${EndIf}
    ${If} $WasRunning = 1
        Exec '"$INSTDIR\${EXE}"'
    ${ElseIf} ${Silent}
    ${AndIf} $2 = 0
        Exec '"$INSTDIR\${EXE}"'
    ${EndIf}
SectionEnd

Section "Uninstall"
    Call un.CloseController
    !insertmacro DeleteProgram "$INSTDIR"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; The controller's own key; the values beside it belong to the blocker as well.
    DeleteRegKey HKCU "Software\Quillane\Stilvane"
SectionEnd

; The folder named by /D= (always the last parameter), or by "/D=..." in
; quotes (which NSIS itself ignores), or "", and its full length without a
; trailing backslash. $CMDLINE ends before an unquoted one: the process's
; own command line still has it, and is searched and measured in place, as
; it may be longer than an NSIS string. Sets $INSTDIR to a quoted one.
Function FindRequestedDir
    StrCpy $RequestedDir ""
    StrCpy $RequestedDirLength 0
    System::Call 'kernel32::GetCommandLineW() p .r3'
    StrCpy $7 0
    System::Call 'shlwapi::StrStrW(p r3, w " /D=") p .r4'
    ${If} $4 P= 0
        System::Call 'shlwapi::StrStrW(p r3, w ` "/D=`) p .r4'
        ${If} $4 P= 0
            Return
        ${EndIf}
        IntPtrOp $4 $4 + 2
        StrCpy $7 1
    ${EndIf}
    IntPtrOp $4 $4 + 8
    System::Call 'kernel32::lstrlenW(p r4) i .r5'
    ${If} $7 = 1
        System::Call 'shlwapi::StrChrW(p r4, i 34) p .r8'
        ${If} $8 P<> 0
            IntPtrOp $5 $8 - $4
            IntOp $5 $5 / 2
        ${EndIf}
    ${EndIf}
    IntOp $1 $5 + 1
    ${If} $1 > ${NSIS_MAX_STRLEN}
        StrCpy $1 ${NSIS_MAX_STRLEN}
    ${EndIf}
    System::Call 'kernel32::lstrcpynW(w .r6, p r4, i r1) p'
    StrCpy $RequestedDir $6
    StrCpy $RequestedDirLength $5
    ; Without trailing backslashes: a quoted folder that ends in one ends in
    ; two ("/D=C:\Folder\\"), as a backslash before a quote is doubled.
    ${DoWhile} $RequestedDirLength > 0
        IntOp $1 $RequestedDirLength - 1
        IntOp $1 $1 * 2
        IntPtrOp $1 $4 + $1
        System::Call '*$1(&w1 .r2)'
        ${IfThen} $2 != "\" ${|} ${Break} ${|}
        IntOp $RequestedDirLength $RequestedDirLength - 1
        StrLen $1 $RequestedDir
        ${If} $1 > $RequestedDirLength
            StrCpy $RequestedDir $RequestedDir $RequestedDirLength
        ${EndIf}
    ${Loop}
    ${If} $7 = 1
        StrCpy $INSTDIR $RequestedDir
    ${EndIf}
FunctionEnd

Function .onInit
    SetShellVarContext current
    ; Installed with the MSI as well, the two would share the folder, the
    ; shortcut and the Run value, and removing one would break the other.
    System::Call 'msi::MsiEnumRelatedProductsW(w "{${UPGRADE_CODE}}", i 0, i 0, w .r1) i .r0'
    ${If} $0 == "0"
        StrCpy $R1 "$(InstalledWithMsi)"
        Call Fail
    ${EndIf}
    Call FindRequestedDir
    ; An upgrade keeps the user's choice of starting at sign-in; only a first
    ; installation starts it by default.
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    StrCpy $InstalledDir $0
    ; An older version does not replace a newer one, as with the MSI.
    ReadRegStr $R2 HKCU "${UNINSTALL_KEY}" "DisplayVersion"
    ${If} $R2 != ""
        ${VersionCompare} $R2 "${VERSION}" $2
        ${If} $2 = 1
            StrCpy $R1 "$(NewerInstalled)"
            Call Fail
        ${EndIf}
    ${EndIf}
    ReadRegStr $1 HKCU "${RUN_KEY}" "${PRODUCT}"
    ${If} $0 != ""
    ${AndIf} $1 == ""
        !insertmacro UnselectSection ${SecAutostart}
    ${EndIf}
FunctionEnd

Function un.onInit
    SetShellVarContext current
FunctionEnd
