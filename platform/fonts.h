// The fonts the program's windows ask for by the names they were designed with.
#pragma once

// Maps "宋体" to the Song typefaces a Linux desktop has (and "MS Shell Dlg" to the desktop's sans
// serif), so that QFont("宋体") finds a face. Called once, after the QApplication exists.
void InstallFontSubstitutions();
