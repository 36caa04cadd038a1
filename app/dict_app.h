// CDictApp: the application. It sets up the desktop pieces the pages need, fills the start-up
// settings and runs the main window modally, with look-up from anywhere beside it; when the
// window closes, the program ends, unless it goes on in the tray. One program runs at a time: a
// second start brings the running one forward and ends.
#pragma once

#include <QApplication>
#include <array>
#include <memory>
#include <string>

#include "userdata/data_folder.h"

class CDictApp {
public:
    // The per-user settings key the program registers: the organisation under which Qt keeps
    // its settings and its data folder, the same one gdict reads (userdata/data_folder.h).
    static constexpr const char* kRegistryKey = kOrganisationName;

    // The command line is not read: Qt is given only the program's name (argv[0]), so options
    // such as -platform or -stylesheet change nothing; the environment's settings still apply.
    // The application takes the organisation and application names of userdata/data_folder.h,
    // whatever the executable is called.
    CDictApp(int argc, char** argv);
    ~CDictApp();
    CDictApp(const CDictApp&) = delete;
    CDictApp& operator=(const CDictApp&) = delete;

    // Runs the program, or, when another runs, tells that one to come forward; returns false,
    // as there is nothing to run after the main window.
    bool InitInstance();

private:
    // What Qt is given as its command line; it keeps them for the application's life.
    std::string m_programName;
    int m_argc = 1;
    std::array<char*, 2> m_argv;
    std::unique_ptr<QApplication> m_application;
};
