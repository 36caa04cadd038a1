#include "app/dict_app.h"

#include <QSettings>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/desktop_lookup.h"
#include "app/main_dialog.h"
#include "app/single_instance.h"
#include "files/program_directory.h"
#include "online/notice_worker.h"
#include "pagehost/program_scheme.h"
#include "platform/ansi_text.h"
#include "platform/chinese_locale.h"
#include "platform/debug_output.h"
#include "platform/fonts.h"
#include "platform/main_window.h"
#include "platform/string_resources.h"
#include "settings/startup_settings.h"

CDictApp::CDictApp(int argc, char** argv)
    : m_programName(argc > 0 && argv[0] != nullptr ? argv[0] : "garment_dictionary"),
      m_argv{m_programName.data(), nullptr} {
    // The web pages share the window's graphics context, and the program's pages come from its
    // own origin; both must precede the application.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    RegisterProgramScheme();
    m_application = std::make_unique<QApplication>(m_argc, m_argv.data());
    QCoreApplication::setOrganizationName(QString::fromUtf8(kRegistryKey));
    QCoreApplication::setApplicationName(QString::fromUtf8(kApplicationName));
    // The program ends when the main window's loop does, not when its last window closes: the
    // window may hide in the tray while the program goes on.
    QGuiApplication::setQuitOnLastWindowClosed(false);
}

CDictApp::~CDictApp() {
    // A notice worker still blocked in the network or in its message box ends with the process,
    // before the application it may be using is torn down under it.
    if (NoticeWorkerRunning()) {
        std::fflush(nullptr);
        std::_Exit(0);
    }
}

bool CDictApp::InitInstance() {
    CSingleInstance single;
    if (!single.Claim()) return false;
    InstallFontSubstitutions();
    InstallChineseLocale();

    CStartupSettings& settings = TheStartupSettings();
    for (int id : BuildStartupSettings(settings, LoadStringTable(), GetProgramDirectory(),
                                       StartNoticeWorker)) {
        DebugOutput("String " + std::to_string(id) + " could not be deciphered\r\n");
    }
    QGuiApplication::setApplicationDisplayName(FromAnsi(settings.titleText));
    DebugOutput(settings.aboutText);
    DebugOutput(settings.splashNotice);

    QSettings preferences;
    CMainDialog mainWindow;
    SetMainWindow(&mainWindow);
    if (!mainWindow.Create()) {
        SetMainWindow(nullptr);
        return false;
    }
    CDesktopLookup lookup(mainWindow, preferences);
    QObject::connect(&single, &CSingleInstance::ActivationRequested, &lookup,
                     &CDesktopLookup::ShowOrganiser);
    int result = mainWindow.exec();
    while (result == CMainDialog::kHiddenResult && lookup.WaitWhileHidden()) {
        result = mainWindow.exec();
    }
    SetMainWindow(nullptr);
    return false;
}
