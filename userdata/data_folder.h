// The folder of the user's own data, which the program and gdict share.
#pragma once

#include <string>

// The names under which the program keeps its data: the organisation, then the application,
// as the program gives them to Qt (UTF-8).
inline constexpr char kOrganisationName[] = "应用程序向导生成的本地应用程序";
inline constexpr char kApplicationName[] = "garment_dictionary";
// The environment variable that names another data folder (tests, scripts).
inline constexpr char kDataFolderVariable[] = "GDICT_DATA_DIR";

// The data folder, as a file name of the program's (platform/file_name.h), without a separator
// at its end: $GDICT_DATA_DIR when it is set and not empty; else the folder that Qt's
// QStandardPaths::AppDataLocation gives the program: on Windows the roaming application data
// folder (%APPDATA%), elsewhere $XDG_DATA_HOME or, when that is empty, $HOME/.local/share (the
// home folder of the user's account when HOME is empty), then the organisation and the
// application name. The folder is not created here: the first change to a list creates it.
// Throws CUserDataError (Cause::noDataFolder) when the system tells no such folder.
std::string UserDataFolder();
