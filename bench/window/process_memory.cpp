#include "process_memory.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// A "Name: <KiB> kB" figure of a /proc file of process pid; 0 when there is none.
long ProcKiB(int pid, const char* file, const std::string& name) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind(name, 0) == 0) return std::stol(line.substr(name.size()));
    }
    return 0;
}

int ParentOf(int pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    const std::string text((std::istreambuf_iterator<char>(stat)),
                           std::istreambuf_iterator<char>());
    const std::size_t close = text.rfind(')');
    if (close == std::string::npos) return 0;
    std::istringstream rest(text.substr(close + 2));
    char state = 0;
    int parent = 0;
    rest >> state >> parent;
    return parent;
}

}  // namespace

ProcessMemory MemoryOf(int pid) {
    return {ProcKiB(pid, "status", "VmRSS:"), ProcKiB(pid, "smaps_rollup", "Pss:")};
}

std::vector<int> Descendants(int root) {
    std::vector<int> found;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        const int pid = std::stoi(name);
        for (int up = ParentOf(pid); up > 1; up = ParentOf(up)) {
            if (up == root) {
                found.push_back(pid);
                break;
            }
        }
    }
    return found;
}

void PrintMemory(const char* title) {
    std::printf("%s (KiB): resident  proportional\n", title);
    const int self = static_cast<int>(::getpid());
    std::vector<int> processes{self};
    for (int pid : Descendants(self)) processes.push_back(pid);
    ProcessMemory total;
    for (int pid : processes) {
        const ProcessMemory memory = MemoryOf(pid);
        std::printf("  %-9s %-8d %12ld %13ld\n", pid == self ? "program" : "web", pid,
                    memory.resident, memory.proportional);
        total.resident += memory.resident;
        total.proportional += memory.proportional;
    }
    std::printf("  all                %12ld %13ld\n", total.resident, total.proportional);
}
