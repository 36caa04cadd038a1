#include "userdata/data_folder.h"

#include "userdata/user_data_error.h"

#ifdef _WIN32
#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <cstdlib>

#include "text/wide_text.h"
#else
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>
#endif

namespace {

[[noreturn]] void NoFolder(const std::string& why) {
    throw CUserDataError(CUserDataError::Cause::noDataFolder,
                         "no folder for the user's data: " + why);
}

std::string WithoutTrailingSeparators(std::string folder) {
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\')) folder.pop_back();
    return folder;
}

#ifdef _WIN32

std::string Variable(const wchar_t* name) {
    const wchar_t* value = _wgetenv(name);
    return value ? Utf8FromWide(value) : std::string();
}

std::string SystemFolder() {
    PWSTR folder = nullptr;
    const HRESULT result =
        SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DONT_VERIFY, nullptr, &folder);
    std::string name = SUCCEEDED(result) ? Utf8FromWide(folder) : std::string();
    CoTaskMemFree(folder);
    if (name.empty()) NoFolder("the system tells no application data folder");
    // Written with forward slashes, as Qt gives the folder.
    for (char& c : name) {
        if (c == '\\') c = '/';
    }
    return WithoutTrailingSeparators(name);
}

std::string DataVariable() {
    return Variable(L"GDICT_DATA_DIR");
}

#else

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string HomeFolder() {
    const std::string home = WithoutTrailingSeparators(Variable("HOME"));
    if (!home.empty()) return home;
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
        found->pw_dir && *found->pw_dir) {
        return found->pw_dir;
    }
    NoFolder("HOME is not set and the user's account names no home folder");
}

std::string SystemFolder() {
    const std::string dataHome = Variable("XDG_DATA_HOME");
    return WithoutTrailingSeparators(dataHome.empty() ? HomeFolder() + "/.local/share" : dataHome);
}

std::string DataVariable() {
    return Variable(kDataFolderVariable);
}

#endif

}  // namespace

std::string UserDataFolder() {
    const std::string chosen = DataVariable();
    if (!chosen.empty()) return WithoutTrailingSeparators(chosen);
    return SystemFolder() + "/" + kOrganisationName + "/" + kApplicationName;
}
