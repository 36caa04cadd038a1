// Where the pages of an HTML dialog may go. A page of the program's own goes nowhere: it stays at
// its own address, a web link that the user has just clicked opens in the desktop's browser, and
// every other navigation (a script's, a form's, a refresh, a frame, a link that no click of the
// user's followed) is refused, so nothing that arrives in the page can take its place or open
// anything. A page from the network (the online tab) goes to web addresses only, so no link,
// script or redirect there hands another scheme to the desktop or enters the program's origin.
#pragma once

#include <QUrl>
#include <QWebEnginePage>

// True for a valid http or https address.
bool IsWebAddress(const QUrl& url);

// The answer to the web engine's navigation request for url in a program page whose own address
// is pageAddress: true lets the navigation happen. clickedByUser says that url is a web link the
// user has just clicked in the main frame; only then is it opened in the desktop's browser. A
// refused navigation that opens nothing writes a debug line.
bool AcceptProgramPageNavigation(const QUrl& pageAddress, const QUrl& url,
                                 QWebEnginePage::NavigationType type, bool isMainFrame,
                                 bool clickedByUser);

// The answer for a page from the network: http and https addresses, of every kind of navigation,
// and in a frame inside the page also the engine's empty documents (about:blank, about:srcdoc).
// Every other address, a redirect to one included, is refused with a debug line.
bool AcceptWebPageNavigation(const QUrl& url, bool isMainFrame);
