#include "template/MainTippU.h"
#include "contract/HelpKinds.h"
#include "contract/OSTypes.h"
#include "contract/Settings.h"
#include "helptext/GetHelpText.h"
#include "template/HostBroadcast.h"
#include "template/ModuleState.h"
#include "toolkit/base/ClassInfo.h"
#include "toolkit/base/Exceptions.h"
#include "toolkit/system/Dialogs.h"
#include "toolkit/system/Registry.h"
#include "toolkit/system/SystemFolders.h"

#include <shellapi.h>

#include <iterator>
#include <type_traits>

namespace {

constexpr int kDesignPixelsPerInch = 96;

// Where the registry editor keeps the key it opens at.
constexpr char kRegeditKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Applets\\Regedit";
constexpr char kLastKey[] = "LastKey";
constexpr char kEditor[] = "regedit.exe"; // in the Windows folder

// The library owns the text; the window keeps a copy.
std::string HelpText(std::int32_t tippNr, int kind)
{
    const char* text = GetHelpText(tippNr, kind);
    return text ? std::string(text) : std::string();
}

} // namespace

const tk::TClassInfo& TfrmTippTemplate::StaticClass()
{
    static const tk::TClassInfo& info =
        tk::TClassInfo::Define("TfrmTippTemplate", &tk::TForm::StaticClass(), nullptr, [](tk::TClassInfo& c) {
            c.Field("PopupMenu1", &TfrmTippTemplate::PopupMenu1);
            c.Field("Fensterwechseln1", &TfrmTippTemplate::Fensterwechseln1);
            c.Field("ImageList1", &TfrmTippTemplate::ImageList1);
            c.Field("PanelRightBorder", &TfrmTippTemplate::PanelRightBorder);
            c.Field("PanelLeftBorder", &TfrmTippTemplate::PanelLeftBorder);
            c.Field("PanelTopBorder", &TfrmTippTemplate::PanelTopBorder);
            c.Field("PanelBottomBorder", &TfrmTippTemplate::PanelBottomBorder);
            c.Field("MemoHelpD", &TfrmTippTemplate::MemoHelpD);
            c.Field("StaticTextTitle", &TfrmTippTemplate::StaticTextTitle);
            c.Field("MemoHelpUS", &TfrmTippTemplate::MemoHelpUS);
            c.Field("HotSpeedButtonOK", &TfrmTippTemplate::HotSpeedButtonOK);
            c.Field("HotSpeedButtonUndo", &TfrmTippTemplate::HotSpeedButtonUndo);
            c.Field("HotSpeedButtonInfo", &TfrmTippTemplate::HotSpeedButtonInfo);
            c.Field("HotSpeedButtonRegistry", &TfrmTippTemplate::HotSpeedButtonRegistry);
            c.Published("FormCreate", &TfrmTippTemplate::FormCreate);
            c.Published("FormShow", &TfrmTippTemplate::FormShow);
            c.Published("Fensterwechseln1Click", &TfrmTippTemplate::Fensterwechseln1Click);
            c.Published("HotSpeedButtonUndoClick", &TfrmTippTemplate::HotSpeedButtonUndoClick);
            c.Published("HotSpeedButtonOKClick", &TfrmTippTemplate::HotSpeedButtonOKClick);
            c.Published("HotSpeedButtonRegistryClick", &TfrmTippTemplate::HotSpeedButtonRegistryClick);
            c.Published("HotSpeedButtonInfoClick", &TfrmTippTemplate::HotSpeedButtonInfoClick);
        });
    return info;
}

TfrmTippTemplate::TfrmTippTemplate(tk::TComponent* owner) : tk::TForm(owner)
{
    // The classes its layout names, registered before the layout is read.
    THotSpeedButton::StaticClass();
}

// ---------------------------------------------------------------------------------------
// Host commands

void TfrmTippTemplate::WndProc(tk::TMessage& m)
{
    tk::TForm::WndProc(m);
    if (!HostBroadcast::Registered() || m.Msg != ModuleState::MessageId) return;

    // A command or value takes 31 bits. One with the top bit set, or on the 64-bit build
    // one that does not fit into 32 bits (cut to them it could read as another command),
    // is refused before any command runs.
    constexpr std::uint32_t kLargest = 0x7FFFFFFF;
    const WPARAM command = m.WParam;
    const auto value = static_cast<std::make_unsigned_t<LPARAM>>(m.LParam);
    if (command > kLargest || value > kLargest) throw tk::ERangeError();

    switch (command) {
    case HostMessage::kClose: {
        try {
            Close();
        } catch (...) {
            // Deliberate: a close that fails is shown and the window still goes
            // (docs/reliability.md).
            tk::ShowMessage("e");
        }
        // Once, however often the command comes while the window closes; the object
        // outlives every handler that waits in it.
        Release();
        return;
    }
    case HostMessage::kSetLeft: SetLeft(value == 0 ? 1 : static_cast<int>(value)); break;
    case HostMessage::kSetTop: SetTop(value == 0 ? 1 : static_cast<int>(value)); break;
    case HostMessage::kSetWidth: SetWidth(static_cast<int>(value)); break;
    case HostMessage::kSetHeight: SetHeight(static_cast<int>(value)); break;
    case HostMessage::kAccepted: break;
    case HostMessage::kShow: Show(); break;
    default: break;
    }
}

// ---------------------------------------------------------------------------------------
// Start-up and language

void TfrmTippTemplate::FormCreate(tk::TObject*)
{
    BSControl = true;
    {
        tk::TRegistry registry;
        registry.SetRootKey(HKEY_CURRENT_USER);
        if (registry.OpenKey(Settings::kKey, true)) {
            if (registry.ValueExists(Settings::kBSControl)) {
                // A value that is no integer counts as missing: stopping start-up here
                // would leave the fields unread while OK still writes them.
                try {
                    BSControl = registry.ReadBool(Settings::kBSControl);
                } catch (const tk::ERegistryException&) {
                    BSControl = true;
                }
            }
            registry.CloseKey();
        }
    }

    if (tk::ScreenPixelsPerInch() != kDesignPixelsPerInch) {
        // Deliberate: every tip says so once before it scales (docs/reliability.md).
        tk::ShowMessage("Big");
        ScaleBy(kDesignPixelsPerInch, tk::ScreenPixelsPerInch());
        Repaint();
    }

    const std::uint32_t bit = OSTypes::Bit(ModuleState::OSType);
    if ((static_cast<std::uint32_t>(ModuleState::OSMask) & bit) > 0) {
        ModuleState::Supported = true;
    } else if (BSControl) {
        DisableControls();
        ModuleState::Supported = false;
    } else {
        ModuleState::Supported = true;
    }

    StaticTextTitle->SetCaption(Caption());
}

void TfrmTippTemplate::DisableControls()
{
    for (tk::TComponent* component : OwnedComponents())
        if (auto* control = dynamic_cast<tk::TControl*>(component)) control->SetEnabled(false);
    StaticTextTitle->SetEnabled(true);
    MemoHelpD->SetEnabled(true);
    MemoHelpUS->SetEnabled(true);
    HotSpeedButtonInfo->SetEnabled(true);
    HotSpeedButtonRegistry->SetEnabled(true);
}

void TfrmTippTemplate::FormShow(tk::TObject*)
{
    ModuleState::FormShown = true;
    StaticTextTitle->SetCaption(Caption());
    MemoHelpD->SetText(HelpText(TippNr, HelpKind::kGerman));
    MemoHelpUS->SetText(HelpText(TippNr, HelpKind::kEnglish));
}

void TfrmTippTemplate::Sprache(std::int32_t language)
{
    ModuleState::Language = language;
    const bool english = language == 1;
    HotSpeedButtonUndo->SetHint(english ? "Restore defaults" : "Setzt alles wieder auf die Standartwerte");
    HotSpeedButtonOK->SetHint(english ? "Changes will be saved immediately" : "\xC4nderungen werden gespeichert");
    HotSpeedButtonRegistry->SetHint(english ? "Registry Lookup" : "Wert in der Registry nachschlagen");
    HotSpeedButtonInfo->SetHint(english ? "Valid to ..." : "G\xFCltig f\xFCr ... ");
    // What a screen reader calls the buttons' default action, the click.
    for (THotSpeedButton* button : {HotSpeedButtonOK, HotSpeedButtonUndo, HotSpeedButtonInfo, HotSpeedButtonRegistry})
        button->SetDefaultActionName(english ? "Press"
                                             : "Dr\xFC"
                                               "cken");
    Fensterwechseln1->SetCaption(english ? "Change Window" : "Fenster wechseln");
    MemoHelpD->SetVisible(!english);
    MemoHelpUS->SetVisible(english);
}

// ---------------------------------------------------------------------------------------
// Commands

void TfrmTippTemplate::HotSpeedButtonOKClick(tk::TObject*)
{
    ModuleState::Saved = true;
    HostBroadcast::Send(HostMessage::kSaved,
                        ModuleState::DefaultsRestored ? HostMessage::kSavedDefaults : HostMessage::kSavedChanges);
}

void TfrmTippTemplate::HotSpeedButtonUndoClick(tk::TObject*) { ModuleState::DefaultsRestored = true; }

void TfrmTippTemplate::Fensterwechseln1Click(tk::TObject*) { HostBroadcast::Send(HostMessage::kSwitchWindow, 0); }

// Lists the systems the tip is valid for, in the order of their bits.
void TfrmTippTemplate::HotSpeedButtonInfoClick(tk::TObject*)
{
    std::string text = ModuleState::Language == 1 ? "Valid for:\r\n\r\n" : "G\xFCltig f\xFCr:\r\n\r\n";
    const auto mask = static_cast<std::uint32_t>(ModuleState::OSMask);
    for (std::size_t bit = 0; bit < std::size(OSTypes::kNames); ++bit)
        if (mask & (1u << bit)) text.append(OSTypes::kNames[bit]).append("\r\n");
    tk::ShowMessage(text);
}

// Points the registry editor at the tip's key and starts it. The value is written and the
// key closed first: the editor reads it when it starts. A refused write ends the handler
// before the editor is started. The editor is the Windows folder's, by its full path: a
// regedit.exe in the host's folder or the current directory would come first in the
// search order and run with the user's rights. An editor that did not start is reported.
void TfrmTippTemplate::HotSpeedButtonRegistryClick(tk::TObject*)
{
    {
        tk::TRegistry registry;
        registry.SetRootKey(HKEY_CURRENT_USER);
        // A key that could not be opened shows as the write's failure.
        static_cast<void>(registry.OpenKey(kRegeditKey, true));
        registry.WriteString(kLastKey, HelpText(TippNr, HelpKind::kRegistryKey));
        registry.CloseKey();
    }
    const std::string editor = tk::WindowsFolderFile(kEditor);
    // ShellExecuteA's result is no handle: 32 or less is the code of a failure.
    if (editor.empty() ||
        reinterpret_cast<INT_PTR>(::ShellExecuteA(Handle(), nullptr, editor.c_str(), "", "", SW_SHOW)) <= 32) {
        const std::string name = editor.empty() ? kEditor : editor;
        tk::ShowMessage(ModuleState::Language == 1
                            ? "The registry editor " + name + " could not be started."
                            : "Der Registrierungs-Editor " + name + " lie\xDF sich nicht starten.");
    }
}
