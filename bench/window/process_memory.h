// The memory of a program and of the processes it started (the web engine's), from /proc.
#pragma once

#include <vector>

// Resident memory, and the proportional share that counts a page shared by n processes 1/n,
// in KiB.
struct ProcessMemory {
    long resident = 0;
    long proportional = 0;
};

ProcessMemory MemoryOf(int pid);

// Every process that descends from root.
std::vector<int> Descendants(int root);

// Prints one line per process (this one and its descendants) and their sum, under title.
void PrintMemory(const char* title);
