// Where a page of the program's own may go: nowhere. It stays at its own address; a link the
// user clicks opens in the desktop's browser, and every other navigation (a script's, a form's,
// a refresh, a frame) is refused, so nothing that arrives in the page can take its place.
#pragma once

#include <QUrl>
#include <QWebEnginePage>

// The answer to the web engine's navigation request for url in a page whose own address is
// pageAddress: true lets the navigation happen. A refused one writes a debug line.
bool AcceptProgramPageNavigation(const QUrl& pageAddress, const QUrl& url,
                                 QWebEnginePage::NavigationType type, bool isMainFrame);
