// The application's main window: the dialog whose modal loop is the program's life.
#pragma once

class QDialog;

// Set when the main window starts its modal loop; null when there is none.
void SetMainWindow(QDialog* window);
QDialog* GetMainWindow();
