// The desktop's own pieces in Simplified Chinese, whatever the desktop's locale: Qt's standard
// texts (the buttons of message boxes, the web view's menus) and the web engine (its own pages,
// the language that pages are told, the Accept-Language header).
#pragma once

// Installs Qt's Simplified Chinese translations and makes zh-CN the locale of Qt and of the web
// engine. Call once, after the application object exists and before the first web page is made.
// A translation file that is missing is no error: those texts stay English, and a debug line
// names the file.
void InstallChineseLocale();
