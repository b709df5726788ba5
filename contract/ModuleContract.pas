{ What a host written in Object Pascal and a tip module (Tipp211.dll and its kin) agree
  on: the five exports, their results, how a failure of ModulSaveChanges travels, the
  broadcast window message, the OSType numbers, the kinds of help text and the settings
  key. Free Pascal in Delphi mode, for win32 and win64; it needs only Windows and SysUtils.

  Calling order: load the library by its full path with LoadLibraryExA(Path, 0,
  LOAD_WITH_ALTERED_SEARCH_PATH), so that Windows finds SorvHelp.dll beside it (the
  module imports GetHelpText from it and does not load without it) -> BindTipModule ->
  ModulCreate, which creates and shows the tip window -> any number of ModulChanged,
  ModulNr and ModulSaveChanges -> ModulFree, which destroys the window -> FreeLibrary.
  ModulChanged and ModulNr may also be called before ModulCreate. Call them all from the
  thread that called ModulCreate and keep its messages flowing: the tip window is a
  window of that thread.

  Texts: Caption and Hint are zero-terminated code page 1252 texts, or nil for the empty
  text. The module copies them before ModulCreate returns, so the host keeps ownership and
  may pass an AnsiString's characters (PAnsiChar(S)) as they are.

  Failures: ModulSaveChanges saves as the tip's OK button does, the restart question
  included (a modal message box of the calling thread, which the host must let the user,
  or its own code, answer). When the settings cannot be saved it raises the structured
  exception FailureCode, whose one argument points at the failure's text; the other
  exports never raise. Free Pascal's Windows RTL turns a structured exception that
  crosses a try..except into an EExternalException (an EExternal) with a copy of the
  exception record, on win32 as on win64; ModuleFailureText reads it:

    try
      Tip.ModulSaveChanges();
    except
      on E: Exception do
        if ModuleFailureText(E, Text) then WriteLn('Not saved: ', Text) else raise;
    end;

  The text belongs to the module, which keeps it only while the exception is handled:
  ModuleFailureText copies it. }
unit ModuleContract;

{$mode delphi}

interface

uses
  Windows, SysUtils;

type
{$if defined(CPU386)}
  { The register convention of the host's toolkit: the first three arguments in EAX, EDX
    and ECX, the others pushed in argument order (the last one next to the return
    address) and removed by the callee; the result in EAX. }
  TModulCreate = function(Left, Top, Width, Height, OSType, Language: Integer; Caption, Hint: PAnsiChar;
    OSMask, TippNr: Integer): Integer; register;
  TModulCall = function: Integer; register;
{$elseif defined(CPUX86_64)}
  { The platform's one convention, with the same arguments in the same order. }
  TModulCreate = function(Left, Top, Width, Height, OSType, Language: Integer; Caption, Hint: PAnsiChar;
    OSMask, TippNr: Integer): Integer; ms_abi_default;
  TModulCall = function: Integer; ms_abi_default;
{$else}
  {$error Tip modules exist for i386 and x86_64 only}
{$endif}

  { SorvHelp.dll's export: the help text of a tip in a kind of HelpKind*, or nil for none.
    The text belongs to the library. }
  TGetHelpText = function(TipNr, HelpKind: Integer): PAnsiChar; stdcall;

  { The five exports of a loaded module, named as the library names them. }
  TTipModule = record
    Handle: HMODULE;
    { Creates and shows the tip window at that place; 0. Language is one of Language*,
      OSType the running system (OSType*), OSMask the systems the tip is valid for
      (OSMaskBit), TippNr the tip's number (211). }
    ModulCreate: TModulCreate;
    { Whether the settings changed: ModulChangedNone, ModulChangedUnsaved or ModulChangedSaved. }
    ModulChanged: TModulCall;
    { Whether the defaults were restored: ModulNrDefaultsRestored or ModulNrDefaultsKept. }
    ModulNr: TModulCall;
    { 1 (0 when there is no window to save); raises FailureCode when the settings cannot
      be saved (see above). }
    ModulSaveChanges: TModulCall;
    { Destroys the window: 1, or 0 when that failed. }
    ModulFree: TModulCall;
  end;

const
  TipLibrary = 'Tipp211.dll';
  HelpLibrary = 'SorvHelp.dll';

  { ModulChanged results. }
  ModulChangedNone = 0;
  ModulChangedUnsaved = 1;
  ModulChangedSaved = 2;

  { ModulNr results. }
  ModulNrDefaultsRestored = 1; { the user pressed Undo }
  ModulNrDefaultsKept = 2;

  { ModulCreate's Language. }
  LanguageGerman = 0; { and anything but LanguageEnglish }
  LanguageEnglish = 1;

  { The structured exception of a failed ModulSaveChanges: "TIP" with the customer bit. }
  FailureCode = $E0544950;

  { The window message, registered by name with RegisterWindowMessageA and broadcast to
    HWND_BROADCAST: a command or notice in WParam, its value in LParam; neither may have
    the top bit set. }
  HostMessageName = 'Kelvamo';
  { Commands the tip window obeys. }
  HostMessageClose = 0; { close and destroy itself }
  HostMessageSetLeft = 10; { left edge; 0 becomes 1 }
  HostMessageSetTop = 11; { top edge; 0 becomes 1 }
  HostMessageSetWidth = 12;
  HostMessageSetHeight = 13;
  HostMessageAccepted = 100; { known, and nothing to do }
  HostMessageShow = 200;
  { Notices the module sends. }
  HostMessageSwitchWindow = 200; { the user asks for the host's window (F12): come to the front }
  HostMessageSaved = 9999; { settings were saved; LParam says how: }
  HostMessageSavedDefaults = 1; { the defaults had been restored (ModulNr 1) }
  HostMessageSavedChanges = 2; { otherwise }

  { The OSType of the running Windows, 1 to 18; later ones are newer than any tip. }
  OSTypeFirst = 1;
  OSTypeLast = 18;
  OSTypeWindows98 = 1;
  OSTypeWindows98A = 2;
  OSTypeWindows98SE = 3;
  OSTypeWindows95 = 4;
  OSTypeWindows95A = 5;
  OSTypeWindows95B = 6;
  OSTypeWindows95BOSR2 = 7;
  OSTypeWindows95BOSR21 = 8;
  OSTypeWindows95COSR25 = 9;
  OSTypeWindowsNT = 10;
  OSTypeWindows2000 = 11;
  OSTypeWindowsME = 12;
  OSTypeWindowsXP = 13;
  { Their names, as a tip's validity list shows them. }
  OSTypeNames: array[OSTypeWindows98..OSTypeWindowsXP] of PAnsiChar = (
    'Windows 98 Standard Edition',
    'Windows 98 Standard Edition A',
    'Windows 98 Second Edition',
    'Windows 95',
    'Windows 95 A',
    'Windows 95 B',
    'Windows 95 B OEM Service Release 2',
    'Windows 95 B OEM Service Release 2.1',
    'Windows 95 C OEM Service Release 2.5 C',
    'Windows NT',
    'Windows 2000',
    'Windows 98 ME',
    'Windows XP');

  { The kinds of text GetHelpText gives. }
  HelpKindGerman = 2;
  HelpKindEnglish = 4;
  HelpKindRegistryKey = 5; { the tip's key, as the registry editor's LastKey value takes it }

  { The host's settings under HKEY_CURRENT_USER, which tips read too: BSControl 0 keeps a
    tip's window enabled on a system it is not valid for. }
  SettingsKey = 'SOFTWARE\Kelvamo\Sorvanti';
  SettingsBSControl = 'BSControl';

{ The OSMask bit of an OSType: bit n-1 for OSType n, 0 outside 1..18. }
function OSMaskBit(OSType: Integer): Cardinal;

{ Binds the five exports of a loaded library; False when one is missing (the host then
  frees the library). }
function BindTipModule(Handle: HMODULE; out Module: TTipModule): Boolean;

{ True when E is the failure of ModulSaveChanges; Text is then the failure's text. }
function ModuleFailureText(E: Exception; out Text: AnsiString): Boolean;

implementation

function OSMaskBit(OSType: Integer): Cardinal;
begin
  if (OSType >= OSTypeFirst) and (OSType <= OSTypeLast) then
    Result := Cardinal(1) shl (OSType - 1)
  else
    Result := 0;
end;

function BindTipModule(Handle: HMODULE; out Module: TTipModule): Boolean;
begin
  Module.Handle := Handle;
  Module.ModulCreate := TModulCreate(GetProcAddress(Handle, 'ModulCreate'));
  Module.ModulChanged := TModulCall(GetProcAddress(Handle, 'ModulChanged'));
  Module.ModulNr := TModulCall(GetProcAddress(Handle, 'ModulNr'));
  Module.ModulSaveChanges := TModulCall(GetProcAddress(Handle, 'ModulSaveChanges'));
  Module.ModulFree := TModulCall(GetProcAddress(Handle, 'ModulFree'));
  Result := Assigned(Module.ModulCreate) and Assigned(Module.ModulChanged) and Assigned(Module.ModulNr) and
    Assigned(Module.ModulSaveChanges) and Assigned(Module.ModulFree);
end;

function ModuleFailureText(E: Exception; out Text: AnsiString): Boolean;
var
  Rec: PExceptionRecord;
begin
  Text := '';
  Result := False;
  if not (E is EExternal) then Exit;
  Rec := EExternal(E).ExceptionRecord;
  if Rec^.ExceptionCode <> FailureCode then Exit;
  Result := True;
  if (Rec^.NumberParameters >= 1) and (Rec^.ExceptionInformation[0] <> 0) then
    Text := PAnsiChar(Rec^.ExceptionInformation[0]);
end;

end.
