#pragma once
// What a process holds at one moment, counted the same way on Windows and under Wine.
// Wine reports 0 for GetGuiResources and PrivateUsage, so GDI objects and menus are found
// by probing every handle value, windows by enumeration, and memory by walking every heap
// and by the committed private memory (PagefileUsage).
#include <windows.h>

#include <cstddef>
#include <functional>

namespace bench {

struct Usage {
    std::size_t gdiObjects = 0;
    std::size_t windows = 0; // top-level windows of this process and all their children
    std::size_t menus = 0;
    std::size_t heapBytes = 0; // busy bytes in all heaps of the process
    std::size_t pagefileBytes = 0;

    static Usage Now();
};

// What a number of cycles of the same work added to the process.
struct Growth {
    Usage before, after;
    int cycles = 0;

    double HeapPerCycle() const { return PerCycle(&Usage::heapBytes); }
    double PagefilePerCycle() const { return PerCycle(&Usage::pagefileBytes); }
    long Left(std::size_t Usage::*field) const
    {
        return static_cast<long>(after.*field) - static_cast<long>(before.*field);
    }
    double PerCycle(std::size_t Usage::*field) const
    {
        return cycles ? static_cast<double>(Left(field)) / cycles : 0.0;
    }
};

// Runs `cycle` `settle` times, in which one-off costs fall (first uses fill caches and
// register classes), then `cycles` times between two counts.
Growth Measure(int cycles, const std::function<void()>& cycle, int settle = 3);

std::size_t GdiObjectCount();
// The GDI objects of one type (OBJ_FONT, OBJ_BRUSH, ...), probed as above.
std::size_t GdiObjectCount(DWORD type);
std::size_t WindowCount();
std::size_t MenuCount();
std::size_t HeapBusyBytes();
std::size_t PagefileBytes();

} // namespace bench
