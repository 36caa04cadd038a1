// CDictApp: the application. It sets up the desktop pieces the pages need, fills the start-up
// settings and runs the main window modally; when the window closes, the program ends.
#pragma once

#include <QApplication>
#include <memory>

class CDictApp {
public:
    // The per-user settings key the program registers (it stores nothing there).
    static constexpr const char* kRegistryKey = "应用程序向导生成的本地应用程序";

    CDictApp(int& argc, char** argv);
    ~CDictApp();
    CDictApp(const CDictApp&) = delete;
    CDictApp& operator=(const CDictApp&) = delete;

    // Runs the program; returns false, as there is nothing to run after the main window.
    bool InitInstance();

private:
    std::unique_ptr<QApplication> m_application;
};
