{ A host of the paging-file tip in Object Pascal, as a console program: loads
  Tipp211.dll from its own folder, opens the tip window, types a drive into it, saves with
  the restart question answered No, has a save refused by a locked System.INI, and
  unloads. It prints one line a check and exits with the number of checks that failed.
  System.INI is put back as it was. }
program TipHost;

{$mode delphi}
{$apptype console}

uses
  Windows, SysUtils, ModuleContract;

var
  Tip: TTipModule;
  Failures: Integer = 0;
  Questions: Integer = 0;
  TipWindow, Question: HWND;
  QuestionText: array[0..1023] of AnsiChar;

procedure Check(OK: Boolean; const What: string);
begin
  if OK then
    WriteLn('ok   ', What)
  else begin
    WriteLn('FAIL ', What);
    Inc(Failures);
  end;
end;

{ The tip window: the visible top-level window of this thread that the library made. }
function FindTipWindow(Window: HWND; Unused: LPARAM): BOOL; stdcall;
begin
  if IsWindowVisible(Window) and (HMODULE(GetWindowLongPtr(Window, GWLP_HINSTANCE)) = Tip.Handle) then
    TipWindow := Window;
  Result := TipWindow = 0;
end;

{ A question: a visible dialog box of this thread, as a message box is. }
function FindQuestion(Window: HWND; Unused: LPARAM): BOOL; stdcall;
var
  ClassName: array[0..15] of AnsiChar;
begin
  GetClassNameA(Window, ClassName, SizeOf(ClassName));
  if IsWindowVisible(Window) and (StrComp(ClassName, '#32770') = 0) then
    Question := Window;
  Result := Question = 0;
end;

{ Runs in the modal loop of a question box, as the user would: reads it, presses No. }
procedure AnswerNo(Window: HWND; Msg: UINT; Id: UINT_PTR; Time: DWORD); stdcall;
begin
  Question := 0;
  EnumThreadWindows(GetCurrentThreadId, @FindQuestion, 0);
  if Question = 0 then Exit;
  Inc(Questions);
  GetDlgItemTextA(Question, $FFFF, QuestionText, SizeOf(QuestionText));
  SendMessageA(Question, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), LPARAM(GetDlgItem(Question, IDNO)));
end;

function PagingDrive(const Ini: AnsiString): AnsiString;
var
  Value: array[0..255] of AnsiChar;
begin
  GetPrivateProfileStringA('386Enh', 'PagingDrive', '', Value, SizeOf(Value), PAnsiChar(Ini));
  Result := Value;
end;

var
  Folder, Ini, Kept, FailureText: AnsiString;
  Field: HWND;
  Inside: TPoint;
  ClassName: array[0..15] of AnsiChar;
  Timer: UINT_PTR;
  Lock: THandle;
  Refused: Boolean;
begin
  Folder := ExtractFilePath(ParamStr(0));
  SetLength(Ini, MAX_PATH);
  SetLength(Ini, GetWindowsDirectoryA(PAnsiChar(Ini), MAX_PATH));
  Ini := IncludeTrailingPathDelimiter(Ini) + 'System.INI';
  Kept := GetTempDir + 'TipHost-System.INI';
  if not CopyFileA(PAnsiChar(Ini), PAnsiChar(Kept), False) then Kept := '';

  Tip.Handle := LoadLibraryExA(PAnsiChar(Folder + TipLibrary), 0, LOAD_WITH_ALTERED_SEARCH_PATH);
  Check(Tip.Handle <> 0, 'LoadLibraryEx ' + Folder + TipLibrary);
  if Tip.Handle = 0 then Halt(1);
  Check(BindTipModule(Tip.Handle, Tip), 'the five exports are there');

  { Right of a host window whose right edge is at 300, as large as the tip's layout. }
  Check(Tip.ModulCreate(301, 1, 298, 455, OSTypeWindowsXP, LanguageEnglish, 'Move or rename the paging file',
    'Paging file', OSMaskBit(OSTypeWindows98SE) or OSMaskBit(OSTypeWindowsXP), 211) = 0, 'ModulCreate 0');
  EnumThreadWindows(GetCurrentThreadId, @FindTipWindow, 0);
  Check(TipWindow <> 0, 'the tip window is open');
  { PagingDrive is the edit field at 93,154 of the client area. WM_SETTEXT changes it
    as typing does, and the tip takes note. }
  Inside.X := 100;
  Inside.Y := 160;
  Field := ChildWindowFromPointEx(TipWindow, Inside, CWP_SKIPINVISIBLE);
  GetClassNameA(Field, ClassName, SizeOf(ClassName));
  Check((Field <> TipWindow) and (StrIComp(ClassName, 'Edit') = 0), 'the PagingDrive field is found');
  SendMessageA(Field, WM_SETTEXT, 0, LPARAM(PAnsiChar('D:')));
  Check(Tip.ModulChanged() = ModulChangedUnsaved, 'ModulChanged 1 after typing D:');

  Timer := SetTimer(0, 0, 50, @AnswerNo);
  Check(Tip.ModulSaveChanges() = 1, 'ModulSaveChanges 1');
  Check(Questions = 1, 'the restart question was answered No: ' + QuestionText);
  Check(PagingDrive(Ini) = 'D:', 'System.INI has PagingDrive=' + PagingDrive(Ini));
  Check(Tip.ModulChanged() = ModulChangedSaved, 'ModulChanged 2');

  { Another program holds System.INI open without sharing: the save is refused. (A
    read-only file refuses it on Windows, but Wine run as root writes it all the same.) }
  SendMessageA(Field, WM_SETTEXT, 0, LPARAM(PAnsiChar('E:')));
  Lock := CreateFileA(PAnsiChar(Ini), GENERIC_READ or GENERIC_WRITE, 0, nil, OPEN_EXISTING, 0, 0);
  Refused := False;
  try
    Tip.ModulSaveChanges();
  except
    on E: Exception do begin
      Refused := ModuleFailureText(E, FailureText);
      if not Refused then WriteLn('     not the module''s failure: ', E.ClassName, ': ', E.Message);
    end;
  end;
  CloseHandle(Lock);
  Check(Refused and (FailureText <> ''), 'a locked System.INI refuses the save: ' + FailureText);
  Check(Questions = 1, 'and asks no restart');
  Check(PagingDrive(Ini) = 'D:', 'System.INI still has PagingDrive=' + PagingDrive(Ini));
  Check(Tip.ModulChanged() = ModulChangedUnsaved, 'ModulChanged 1');

  KillTimer(0, Timer);
  Check(Tip.ModulFree() = 1, 'ModulFree 1');
  Check(not IsWindow(TipWindow), 'the tip window is gone');
  Check(FreeLibrary(Tip.Handle), 'FreeLibrary');

  if Kept <> '' then
    CopyFileA(PAnsiChar(Kept), PAnsiChar(Ini), False)
  else
    DeleteFileA(PAnsiChar(Ini));
  DeleteFileA(PAnsiChar(Kept));
  WriteLn(Failures, ' of the checks failed');
  Halt(Failures);
end.
