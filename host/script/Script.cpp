#include "host/script/Script.h"
#include "host/script/AccessibleWindow.h"
#include "host/script/Capture.h"
#include "host/script/WindowLookup.h"

#include <commctrl.h>
#include <oleacc.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace Host {

namespace {

constexpr DWORD kAnswerWaitMs = 60000;    // how long --answer waits at most for its question
constexpr DWORD kUnansweredMs = 5000;     // when the watchdog answers a question itself
constexpr DWORD kPaintMs = 300;           // what a capture waits for the windows to paint
constexpr int kMessageBoxTextId = 0xFFFF; // the static control that holds a box's text

// The tip windows' four command buttons, in the order of the push buttons among the
// children of the window's accessible object.
constexpr const char* kTipButtons[] = {"OK", "Undo", "Info", "Registry"};

struct Answer {
    const char* name;
    int id;
    const char* shown;
};
constexpr Answer kAnswers[] = {
    {"yes", IDYES, "Yes"}, {"no", IDNO, "No"}, {"ok", IDOK, "OK"}, {"cancel", IDCANCEL, "Cancel"}};

const Answer* FindAnswer(const std::string& name)
{
    for (const Answer& a : kAnswers)
        if (name == a.name) return &a;
    return nullptr;
}

bool ParsePoint(const std::string& text, POINT& point)
{
    char* end = nullptr;
    point.x = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || *end != ',') return false;
    const char* y = end + 1;
    point.y = std::strtol(y, &end, 10);
    return end != y && *end == '\0';
}

// CLASS@X,Y or CLASS#N among the direct children of `parent`.
HWND FindChild(HWND parent, const std::string& target)
{
    const std::size_t at = target.find_first_of("@#");
    if (at == std::string::npos || at == 0)
        throw std::invalid_argument("control \"" + target + "\": use CLASS@X,Y or CLASS#N");
    const std::string cls = target.substr(0, at);
    const std::string where = target.substr(at + 1);
    POINT point{};
    const bool byPlace = target[at] == '@';
    if (byPlace && !ParsePoint(where, point)) throw std::invalid_argument("control \"" + target + "\": bad position");
    HWND child = byPlace ? ChildAt(parent, cls, point.x, point.y) : NthChild(parent, cls, std::atoi(where.c_str()));
    if (!child) throw std::runtime_error("no control " + target + " in the tip window");
    return child;
}

// A left click at a client position of `window`, as the mouse delivers it: to the child
// window under the point, or to the window itself where it paints the control.
void ClickAt(HWND window, POINT point)
{
    HWND target = ::ChildWindowFromPointEx(window, point, CWP_SKIPINVISIBLE);
    if (!target) target = window;
    ::MapWindowPoints(window, target, &point, 1);
    const LPARAM at = MAKELPARAM(point.x, point.y);
    ::SendMessageA(target, WM_MOUSEMOVE, 0, at);
    ::SendMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(target, WM_LBUTTONUP, 0, at);
}

// The visible top-level windows of the calling thread of class `cls`, or when it is empty
// every visible one but tooltips.
std::vector<HWND> VisibleThreadWindows(const std::string& cls = "")
{
    std::vector<HWND> found;
    for (HWND window : ThreadWindows()) {
        if (!::IsWindowVisible(window)) continue;
        const std::string name = ClassOf(window);
        if (cls.empty() ? name != TOOLTIPS_CLASSA : name == cls) found.push_back(window);
    }
    return found;
}

std::string Quoted(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\r') continue;
        out += c == '\n' ? std::string("\\n") : std::string(1, c);
    }
    return out + "\"";
}

} // namespace

bool ParseStep(int argc, char** argv, int& i, std::vector<Step>& steps)
{
    struct Syntax {
        const char* option;
        Step::Kind kind;
        int arguments;
    };
    static const Syntax kSyntax[] = {{"--set-text", Step::Kind::SetText, 2}, {"--click", Step::Kind::Click, 1},
                                     {"--press", Step::Kind::Press, 1},      {"--answer", Step::Kind::Answer, 1},
                                     {"--capture", Step::Kind::Capture, 1},  {"--wait", Step::Kind::Wait, 1},
                                     {"--state", Step::Kind::State, 0},      {"--move", Step::Kind::Move, 1},
                                     {"--quit", Step::Kind::Quit, 0}};
    for (const Syntax& s : kSyntax) {
        if (std::strcmp(argv[i], s.option) != 0) continue;
        if (i + s.arguments >= argc) throw std::invalid_argument(std::string(s.option) + " lacks its arguments");
        Step step{s.kind, s.arguments >= 1 ? argv[i + 1] : "", s.arguments >= 2 ? argv[i + 2] : ""};
        if (step.kind == Step::Kind::Answer && !FindAnswer(step.target))
            throw std::invalid_argument("--answer takes yes, no, ok or cancel");
        steps.push_back(step);
        i += 1 + s.arguments;
        return true;
    }
    return false;
}

HWND OpenQuestion()
{
    const std::vector<HWND> boxes = VisibleThreadWindows("#32770");
    return boxes.empty() ? nullptr : boxes.back();
}

std::string QuestionText(HWND box)
{
    char text[2048] = {};
    ::GetDlgItemTextA(box, kMessageBoxTextId, text, sizeof text);
    return text;
}

Script::Script(std::vector<Step> steps, ScriptHost& host, Report& report)
    : m_steps(std::move(steps)), m_host(host), m_report(report), m_since(::GetTickCount())
{}

void Script::Tick()
{
    const DWORD now = ::GetTickCount();
    HWND box = OpenQuestion();
    const Step* step = m_next < m_steps.size() ? &m_steps[m_next] : nullptr;
    if (!step || step->kind != Step::Kind::Answer) Watch(box, now);
    if (!step) return;

    switch (step->kind) {
    case Step::Kind::Answer:
        if (!box) {
            if (now - m_since < kAnswerWaitMs) return;
            ++m_next;
            m_since = now;
            Fail("--answer " + step->target + ": no question came");
            return;
        }
        break;
    case Step::Kind::Capture:
        if (now - m_since < kPaintMs) return;
        break;
    case Step::Kind::Wait:
        if (now - m_since < static_cast<DWORD>(std::atoi(step->target.c_str()))) return;
        break;
    case Step::Kind::Quit:
        // Closing frees the module: never while a step below still runs inside it.
        if (m_depth > 0) return;
        break;
    default: break;
    }
    Run(*step);
}

void Script::Run(const Step& step)
{
    ++m_next;
    ++m_depth;
    try {
        Execute(step);
    } catch (const std::exception& e) {
        Fail(e.what());
    }
    --m_depth;
    m_since = ::GetTickCount();
}

void Script::Execute(const Step& step)
{
    switch (step.kind) {
    case Step::Kind::SetText: {
        HWND tip = m_host.TipWindow();
        if (!tip) throw std::runtime_error("--set-text: no tip window");
        HWND control = FindChild(tip, step.target);
        m_report.Line("set-text " + step.target + " " + Quoted(step.text));
        ::SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.text.c_str()));
        break;
    }
    case Step::Kind::Click: {
        if (HWND button = m_host.HostControl(step.target)) {
            m_report.Line("click " + step.target);
            ::SendMessageA(button, BM_CLICK, 0, 0);
            break;
        }
        HWND tip = m_host.TipWindow();
        if (!tip) throw std::runtime_error("--click " + step.target + ": no tip window");
        for (int n = 1; n <= static_cast<int>(std::size(kTipButtons)); ++n)
            if (step.target == kTipButtons[n - 1]) return PressElement("click " + step.target, "", n);
        POINT point{};
        if (!ParsePoint(step.target, point)) throw std::invalid_argument("--click " + step.target + ": no such button");
        m_report.Line("click " + step.target);
        ClickAt(tip, point);
        break;
    }
    case Step::Kind::Press: PressElement("press " + Quoted(step.target), step.target, 0); break;
    case Step::Kind::Answer: {
        HWND box = OpenQuestion();
        const Answer& answer = *FindAnswer(step.target);
        m_report.Line("question " + Quoted(QuestionText(box)) + ": " + answer.shown);
        HWND button = ::GetDlgItem(box, answer.id);
        if (!button) throw std::runtime_error("the question has no button " + std::string(answer.shown));
        ::SendMessageA(box, WM_COMMAND, MAKEWPARAM(answer.id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        m_box = nullptr;
        break;
    }
    case Step::Kind::Capture:
        CaptureWindows(VisibleThreadWindows(), step.target);
        m_report.Line("capture " + step.target);
        break;
    case Step::Kind::Wait: break;
    case Step::Kind::State: m_report.Line("state: " + m_host.State()); break;
    case Step::Kind::Move: {
        POINT to{};
        if (!ParsePoint(step.target, to)) throw std::invalid_argument("--move takes X,Y");
        ::SetWindowPos(m_host.MainWindow(), nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        RECT host{}, tip{};
        ::GetWindowRect(m_host.MainWindow(), &host);
        if (HWND window = m_host.TipWindow()) ::GetWindowRect(window, &tip);
        m_report.Line("move " + step.target + ": host window right edge " + std::to_string(host.right) + ", top " +
                      std::to_string(host.top) + "; tip window at " + std::to_string(tip.left) + "," +
                      std::to_string(tip.top));
        break;
    }
    case Step::Kind::Quit:
        m_report.Line("quit");
        ::PostMessageA(m_host.MainWindow(), WM_CLOSE, 0, 0);
        break;
    }
}

void Script::PressElement(const std::string& line, const std::string& name, int n)
{
    HWND tip = m_host.TipWindow();
    if (!tip) throw std::runtime_error(line + ": no tip window");
    const AccessibleWindow window(tip);
    const std::vector<AccessibleWindow::Element> elements = window.Elements();
    const AccessibleWindow::Element* element = nullptr;
    if (n > 0) {
        element = AccessibleWindow::Find(elements, ROLE_SYSTEM_PUSHBUTTON, n);
    } else {
        for (const AccessibleWindow::Element& e : elements)
            if (!element && e.name == name) element = &e;
    }
    if (!element) throw std::runtime_error(line + ": the tip window has no such element");
    if (element->state & STATE_SYSTEM_UNAVAILABLE) {
        m_report.Line(line + ": unavailable");
        return;
    }
    m_report.Line(line);
    if (const HRESULT hr = window.Press(element->id); FAILED(hr))
        throw std::runtime_error(line + ": the tip window refused it (HRESULT " +
                                 std::to_string(static_cast<unsigned long>(hr)) + ")");
}

void Script::Fail(const std::string& what)
{
    m_failed = true;
    m_report.Line("error: " + what);
}

// A question that no step answers gets the most cautious answer the box offers.
void Script::Watch(HWND box, DWORD now)
{
    if (box != m_box) {
        m_box = box;
        m_boxSince = now;
        return;
    }
    if (!box || now - m_boxSince < kUnansweredMs) return;
    for (int id : {IDNO, IDCANCEL, IDOK}) {
        HWND button = ::GetDlgItem(box, id);
        if (!button) continue;
        Fail("question " + Quoted(QuestionText(box)) + " was not answered by a step; pressed " +
             (id == IDNO       ? "No"
              : id == IDCANCEL ? "Cancel"
                               : "OK"));
        m_box = nullptr;
        ::SendMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return;
    }
}

} // namespace Host
