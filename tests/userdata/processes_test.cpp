// Changes of the lists by processes of their own: killed at random moments of a save, and two at
// the same time. POSIX only (fork); the writers of gdict at the same time are in gdict's tests.
#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <iostream>
#include <random>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"
#include "tests/userdata/user_data_files.h"
#include "userdata/own_term_import.h"
#include "userdata/own_terms.h"
#include "userdata/safe_save.h"

namespace {

using namespace std::chrono_literals;

std::vector<COwnTerm> Terms(const std::string& prefix, int count) {
    std::vector<COwnTerm> terms;
    for (int i = 0; i < count; ++i) {
        terms.push_back({prefix + " " + std::to_string(i), "\xC3\xE6\xC1\xCF", "note"});
    }
    return terms;
}

// Runs work in a child process, which ends with status 0 when work returns and 1 when it
// throws.
template <class Work>
pid_t InChild(Work work) {
    const pid_t child = fork();
    if (child == 0) {
        try {
            work();
        } catch (...) {
            _exit(1);
        }
        _exit(0);
    }
    return child;
}

int StatusOf(pid_t child) {
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A change killed at any moment leaves the list file as it was or as the change saves it, never
// anything else; the lock of a killed process is free again, and the next change clears the new
// file that it left.
TEST(Processes, AKilledChangeLeavesTheOldFileOrTheNew) {
    constexpr int kRuns = 300;
    const TempDir dir;
    const std::string folder = dir.path().string();
    const std::string path = (dir / "own_terms.tsv").string();
    const COwnTerms terms(folder, 5s);
    terms.Import({Terms("old", 500), {}, false});
    const std::string oldText = FileText(path);
    const CImportedTerms added{Terms("new", 5000), {}, false};
    const auto change = [&] { COwnTerms(folder, 5s).Import(added); };

    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(StatusOf(InChild(change)), 0);
    const auto whole = std::chrono::steady_clock::now() - start;
    const std::string newText = FileText(path);
    ASSERT_NE(newText, oldText);

    std::mt19937 random(12345);
    std::uniform_int_distribution<long long> delay(
        0, std::chrono::duration_cast<std::chrono::microseconds>(whole).count() * 11 / 10);
    int oldSeen = 0, newSeen = 0, leftSeen = 0;
    for (int run = 0; run < kRuns; ++run) {
        SaveFileSafely(path, oldText);
        const pid_t child = InChild(change);
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        kill(child, SIGKILL);
        StatusOf(child);
        const std::string text = FileText(path);
        ASSERT_TRUE(text == oldText || text == newText) << "run " << run << ": " << text.size();
        ++(text == oldText ? oldSeen : newSeen);
        if (!NamesStartingWith(dir.path(), "own_terms.tsv.saving-").empty()) ++leftSeen;
    }
    std::cout << kRuns << " changes killed after up to " << delay.max() << " us: " << oldSeen
              << " left the old file, " << newSeen << " the new one; " << leftSeen
              << " were killed while they saved\n";
    RecordProperty("old", oldSeen);
    RecordProperty("new", newSeen);
    RecordProperty("killedWhileSaving", leftSeen);

    EXPECT_EQ(terms.Add({"after", "\xC3\xE6", ""}).outcome, COwnTermOutcome::added);
    EXPECT_TRUE(NamesStartingWith(dir.path(), "own_terms.tsv.saving-").empty());
    EXPECT_FALSE(terms.Read().damage);
}

// Two processes that add terms one transaction each at the same time keep every term of both.
TEST(Processes, TwoWritersKeepEachOthersChanges) {
    constexpr int kTermsEach = 150;
    const TempDir dir;
    const std::string folder = dir.path().string();
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    std::vector<pid_t> children;
    for (const char* writer : {"first", "second"}) {
        children.push_back(InChild([&] {
            close(go[1]);
            char byte;
            if (read(go[0], &byte, 1) != 0) _exit(2);
            const COwnTerms terms(folder);
            for (const COwnTerm& term : Terms(writer, kTermsEach)) terms.Add(term);
        }));
    }
    close(go[0]);
    close(go[1]);  // both start now
    for (const pid_t child : children) EXPECT_EQ(StatusOf(child), 0);

    const CListRead<COwnTerm> read = COwnTerms(folder).Read();
    EXPECT_FALSE(read.damage);
    std::set<std::string> english;
    for (const COwnTerm& term : read.records) english.insert(term.english);
    EXPECT_EQ(english.size(), 2u * kTermsEach);
    EXPECT_EQ(read.records.size(), 2u * kTermsEach);
}

}  // namespace
#endif
