#pragma once
// The host's scripted mode: steps from the command line that drive the host and the tip
// window the way a user would, through real window messages, for automation.
//
//   --set-text TARGET TEXT  WM_SETTEXT to a child of the tip window: CLASS@X,Y (the child
//                           of that class at client position X,Y) or CLASS#N (the N-th
//                           child of that class, counted from 1)
//   --click TARGET          OK, Undo, Info, Registry (the tip's command buttons), X,Y (the
//                           tip window's client position), or Save, Deutsch, English (the
//                           host's own buttons)
//   --press NAME            presses the element of the tip window that accessibility
//                           clients know by NAME (a command button's hint in the window's
//                           language, "Changes will be saved immediately" for OK in English)
//
// --click and --press find the tip's buttons as a screen reader does, through the
// accessible object of the tip window's client area (AccessibleWindow.h), not at places
// copied from the layout: --press by the name, --click OK, Undo, Info and Registry as the
// first, second, third and fourth push button among the client area's children, the order
// of the template window's layout in every language. Either runs what a click runs, from
// the tip window's message loop; a button that is unavailable (disabled) is reported and
// does nothing, as a click on it does.
//   --answer yes|no|ok|cancel  waits for the next question box and presses that button
//   --capture FILE.bmp      writes a picture of the program's windows
//   --wait MS               lets MS milliseconds pass
//   --state                 reports ModulChanged and ModulNr
//   --move X,Y              moves the host window there, as dragging its caption does,
//                           and reports where the tip window went
//   --quit                  closes the host window as its close box does
//
// Steps run one after another from a timer. A step that opens a modal box (a click on OK
// asks the restart question) stays on the stack while the box's own message loop runs the
// following steps, so that `--click OK --answer no` answers the question the click asked.
// A question that no step answers is answered No (or Cancel, or OK) after five seconds and
// counts as a failure, so that a session never waits for ever.
#include "host/script/Report.h"

#include <windows.h>

#include <string>
#include <vector>

namespace Host {

struct Step {
    enum class Kind { SetText, Click, Press, Answer, Capture, Wait, State, Move, Quit };
    Kind kind;
    std::string target; // control, button, name, answer, file or milliseconds
    std::string text;   // SetText only
};

// Reads the step that starts at argv[i] and advances i past it; false when argv[i] is no
// step. Throws std::invalid_argument when a step lacks its arguments.
bool ParseStep(int argc, char** argv, int& i, std::vector<Step>& steps);

// What a script needs of the host.
class ScriptHost {
public:
    virtual HWND MainWindow() const = 0;
    virtual HWND TipWindow() const = 0;                          // null while no tip is open
    virtual HWND HostControl(const std::string& name) const = 0; // null for an unknown name
    virtual std::string State() const = 0;                       // "ModulChanged 1, ModulNr 2"

protected:
    ~ScriptHost() = default;
};

class Script {
public:
    Script(std::vector<Step> steps, ScriptHost& host, Report& report);

    // Runs the next step when it is due; called from the host's timer, also from inside
    // the message loops of modal boxes that an earlier step opened.
    void Tick();
    [[nodiscard]] bool Failed() const { return m_failed; }

private:
    void Run(const Step& step);
    void Execute(const Step& step);
    void Fail(const std::string& what);
    // Presses an element of the tip window through its accessible object: the one named
    // `name` when `n` is 0, else the n-th push button; `line` goes to the report.
    void PressElement(const std::string& line, const std::string& name, int n);
    void Watch(HWND box, DWORD now);

    std::vector<Step> m_steps;
    ScriptHost& m_host;
    Report& m_report;
    std::size_t m_next = 0;
    int m_depth = 0;      // steps that are still running below this one
    DWORD m_since;        // when the next step became due
    HWND m_box = nullptr; // the question box seen last, for the watchdog
    DWORD m_boxSince = 0;
    bool m_failed = false;
};

// The visible question box (a modal message box) of the calling thread, or null.
HWND OpenQuestion();
// The text a message box shows.
std::string QuestionText(HWND box);

} // namespace Host
