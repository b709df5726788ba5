#include "bench/Usage.h"

#include <psapi.h>

#include <vector>

namespace bench {

namespace {

// Every handle value a 16-bit handle table can hold. Under Wine a handle whose upper
// word is 0 matches its table entry whatever the entry's generation.
template <class Probe>
std::size_t CountHandles(Probe isLive)
{
    std::size_t count = 0;
    for (UINT_PTR value = 1; value <= 0xFFFF; ++value)
        if (isLive(value)) ++count;
    return count;
}

struct WindowSearch {
    DWORD process;
    std::size_t count = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM lp)
{
    ++reinterpret_cast<WindowSearch*>(lp)->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM lp)
{
    auto* search = reinterpret_cast<WindowSearch*>(lp);
    DWORD process = 0;
    ::GetWindowThreadProcessId(hwnd, &process);
    if (process != search->process) return TRUE;
    ++search->count;
    ::EnumChildWindows(hwnd, CountChild, lp);
    return TRUE;
}

} // namespace

std::size_t GdiObjectCount()
{
    if (const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS)) return reported;
    return CountHandles([](UINT_PTR h) { return ::GetObjectType(reinterpret_cast<HGDIOBJ>(h)) != 0; });
}

std::size_t GdiObjectCount(DWORD type)
{
    return CountHandles([type](UINT_PTR h) { return ::GetObjectType(reinterpret_cast<HGDIOBJ>(h)) == type; });
}

std::size_t MenuCount()
{
    return CountHandles([](UINT_PTR h) { return ::IsMenu(reinterpret_cast<HMENU>(h)) != FALSE; });
}

std::size_t WindowCount()
{
    WindowSearch search{::GetCurrentProcessId()};
    ::EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

std::size_t HeapBusyBytes()
{
    std::vector<HANDLE> heaps(64);
    DWORD count = ::GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    if (count > heaps.size()) {
        heaps.resize(count);
        count = ::GetProcessHeaps(count, heaps.data());
    }
    std::size_t busy = 0;
    for (DWORD i = 0; i < count && i < heaps.size(); ++i) {
        if (!::HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (::HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) busy += entry.cbData;
        ::HeapUnlock(heaps[i]);
    }
    return busy;
}

std::size_t PagefileBytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return counters.PagefileUsage;
}

Usage Usage::Now()
{
    Usage u;
    u.gdiObjects = GdiObjectCount();
    u.windows = WindowCount();
    u.menus = MenuCount();
    u.heapBytes = HeapBusyBytes();
    u.pagefileBytes = PagefileBytes();
    return u;
}

Growth Measure(int cycles, const std::function<void()>& cycle, int settle)
{
    for (int i = 0; i < settle; ++i) cycle();
    Growth growth;
    growth.cycles = cycles;
    growth.before = Usage::Now();
    for (int i = 0; i < cycles; ++i) cycle();
    growth.after = Usage::Now();
    return growth;
}

} // namespace bench
