// Whether closing the organiser keeps the program running in the tray, so that copy to look up
// goes on: asked once, in a Chinese message box, and remembered in the program's settings.
#pragma once

class QSettings;
class QWidget;

// The settings' key of the answer.
inline constexpr char kCloseToTrayKey[] = "tray/keepRunning";

// True when the organiser should go to the tray instead of ending the program. The first time
// it asks the user (a question box owned by owner, which may be null) and saves the answer in
// settings; afterwards it returns the saved answer.
bool KeepRunningInTray(QSettings& settings, QWidget* owner);
