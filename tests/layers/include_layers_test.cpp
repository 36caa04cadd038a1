// The layers of the source tree: every `#include "…"` of a source folder names a file of the
// folder itself or of a folder that its layer may use. A wrong include is reported with its file
// and line.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

using Folders = std::set<std::string>;

Folders Join(std::initializer_list<Folders> parts) {
    Folders all;
    for (const Folders& part : parts) all.insert(part.begin(), part.end());
    return all;
}

// What each source folder may include besides itself.
std::map<std::string, Folders> Layers() {
    const Folders core{"text", "files", "crypto", "dictionary", "webfilter", "userdata"};
    const Folders pages = Join({core, {"settings", "platform", "pagehost"}});
    return {
        {"text", {}},
        {"files", {"text"}},
        {"crypto", {"files", "text"}},
        {"dictionary", {"crypto", "files", "text"}},
        {"webfilter", {}},
        {"userdata", {"dictionary", "crypto", "files", "text"}},
        {"settings", core},
        {"platform", Join({core, {"settings"}})},
        {"pagehost", Join({core, {"platform"}})},
        {"controls", Join({core, {"platform"}})},
        {"mywords", Join({core, {"settings", "platform"}})},
        {"view", Join({pages, {"mywords"}})},
        {"online", pages},
        {"app", Join({pages, {"controls", "view", "online", "mywords"}})},
        {"tools/gdict", Join({core, {"settings"}})},
    };
}

// The source folder that holds a path relative to the tree ("tools/gdict/main.cpp" is in
// "tools/gdict"); empty when no layer names it.
std::string FolderOf(const std::string& path, const std::map<std::string, Folders>& layers) {
    std::string best;
    for (const auto& [folder, allowed] : layers) {
        if (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
            path[folder.size()] == '/' && folder.size() > best.size()) {
            best = folder;
        }
    }
    return best;
}

bool IsSource(const fs::path& path) {
    const std::string extension = path.extension().string();
    return extension == ".cpp" || extension == ".h" || extension == ".in";
}

// The quoted file name of an include directive, or empty.
std::string IncludedName(const std::string& line) {
    const std::size_t hash = line.find_first_not_of(" \t");
    if (hash == std::string::npos || line.compare(hash, 8, "#include") != 0) return {};
    const std::size_t open = line.find('"', hash + 8);
    if (open == std::string::npos) return {};
    const std::size_t close = line.find('"', open + 1);
    return close == std::string::npos ? std::string() : line.substr(open + 1, close - open - 1);
}

TEST(IncludeLayersTest, EveryFolderIncludesOnlyWhatItsLayerMayUse) {
    const fs::path root(GDICT_SOURCE_DIR);
    const auto layers = Layers();
    std::vector<std::string> wrong;
    std::size_t checked = 0;
    for (const auto& [folder, allowed] : layers) {
        if (!fs::is_directory(root / folder)) continue;
        for (const auto& item : fs::recursive_directory_iterator(root / folder)) {
            if (!item.is_regular_file() || !IsSource(item.path())) continue;
            const std::string file = fs::relative(item.path(), root).generic_string();
            if (FolderOf(file, layers) != folder) continue;  // a deeper folder checks it
            std::ifstream in(item.path());
            std::string line;
            for (int number = 1; std::getline(in, line); ++number) {
                const std::string name = IncludedName(line);
                if (name.empty()) continue;
                ++checked;
                const std::string target = FolderOf(name, layers);
                if (target == folder || allowed.count(target) != 0) continue;
                wrong.push_back(file + ":" + std::to_string(number) + ": " + folder +
                                "/ may not include \"" + name + "\"");
            }
        }
    }
    EXPECT_GT(checked, 100u);
    EXPECT_TRUE(wrong.empty()) << [&] {
        std::string all;
        for (const std::string& w : wrong) all += w + "\n";
        return all;
    }();
}

TEST(IncludeLayersTest, EverySourceFolderHasALayer) {
    const fs::path root(GDICT_SOURCE_DIR);
    const auto layers = Layers();
    const std::set<std::string> outside{"tests", "bench", "fuzz",    "build", "cmake",
                                        "data",  "docs",  "scripts", "res"};
    for (const auto& item : fs::directory_iterator(root)) {
        const std::string name = item.path().filename().string();
        if (!item.is_directory() || name.front() == '.' || outside.count(name) != 0 ||
            name.rfind("build", 0) == 0) {
            continue;
        }
        const bool hasSources = std::any_of(
            fs::recursive_directory_iterator(item.path()), fs::recursive_directory_iterator(),
            [&](const fs::directory_entry& entry) {
                return entry.is_regular_file() && IsSource(entry.path()) &&
                       FolderOf(fs::relative(entry.path(), root).generic_string(), layers).empty();
            });
        EXPECT_FALSE(hasSources) << name << "/ holds sources that no layer names";
    }
}

}  // namespace
