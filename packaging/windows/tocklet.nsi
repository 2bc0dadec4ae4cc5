; The Windows installer: the portable folder under Program Files, a Start-menu entry and an
; uninstaller. scripts/windows passes VERSION, SOURCE (the folder), OUTFILE and ICON.
Target amd64-unicode
!include "MUI2.nsh"
!include "LogicLib.nsh"

Name "Tocklet ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tocklet"
InstallDirRegKey HKLM "Software\Tocklet" "InstallDir"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tocklet"

!insertmacro MUI_PAGE_LICENSE "${SOURCE}\LICENSE"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

; A message above Tocklet's window, which stays on top (MB_ICONEXCLAMATION|MB_SYSTEMMODAL|
; MB_TOPMOST; NSIS's own MessageBox opens under it, under Wine at least).
!macro TOPMOST_MESSAGE TEXT
  ${IfNot} ${Silent}
    System::Call 'user32::MessageBoxW(p 0, w "${TEXT}", w "Tocklet", i 0x41030)'
  ${EndIf}
!macroend

; A running Tocklet holds its files: it must end first. Every copy holds a mutex of its session
; and one of every session that every user may open.
!macro REFUSE_IF_MUTEX NAME
  ; Access denied (5): it exists all the same.
  System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${NAME}") p .r0 ?e'
  Pop $1
  ${If} $0 P<> 0
  ${OrIf} $1 = 5
    System::Call 'kernel32::CloseHandle(p r0)'
    !insertmacro TOPMOST_MESSAGE "Tocklet 正在运行。请先退出 Tocklet,然后再试。"
    Abort
  ${EndIf}
!macroend
!macro REFUSE_WHILE_RUNNING
  !insertmacro REFUSE_IF_MUTEX "Global\org.tocklet.Tocklet"
  !insertmacro REFUSE_IF_MUTEX "Local\org.tocklet.Tocklet"
!macroend

Function .onInit
  !insertmacro REFUSE_WHILE_RUNNING
FunctionEnd

Function un.onInit
  !insertmacro REFUSE_WHILE_RUNNING
FunctionEnd

Section "Tocklet"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File /r "${SOURCE}\*.*"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Tocklet.lnk" "$INSTDIR\Tocklet.exe"
  WriteRegStr HKLM "Software\Tocklet" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tocklet"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tocklet.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Tocklet developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The user's task.dat (in %APPDATA%\Tocklet) and the log in the Windows folder stay.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Tocklet.lnk"
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\styles"
  RMDir /r "$INSTDIR\translations"
  Delete "$INSTDIR\*.dll"
  Delete "$INSTDIR\Tocklet.exe"
  Delete "$INSTDIR\THIRD-PARTY.txt"
  Delete "$INSTDIR\QT-COPYRIGHT.txt"
  Delete "$INSTDIR\LICENSE*"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  ; What could not be deleted (a file another program holds) is said, not hidden.
  ${If} ${FileExists} "$INSTDIR\*.*"
    !insertmacro TOPMOST_MESSAGE "有些文件无法删除,请手动删除: $INSTDIR"
    SetErrorLevel 2
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "Software\Tocklet"
SectionEnd
