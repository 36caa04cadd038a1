// The program's own web origin, "gdict://app". The program's pages (its HTML resources) and the
// pictures of its directory are served from there rather than from local files: a page on this
// origin cannot read files, its content security policy runs scripts only from the publisher's
// host over HTTPS and none that arrives inside the page (inline scripts, event-handler
// attributes, "javascript:" addresses), and pages of other origins get nothing from it.
#pragma once

#include <QUrl>

class QWebEngineProfile;

// The address of the program directory's pictures; a picture's address is this, '/', and its
// file name, percent-encoded.
inline constexpr char kProgramPicturesAddress[] = "gdict://app/pictures";

// Makes the scheme known to the web engine. Call it once, before the QApplication is created.
void RegisterProgramScheme();

// Serves the scheme to the pages of profile; later calls for the same profile do nothing.
// REQUIRES: RegisterProgramScheme was called before the application was created.
void ServeProgramScheme(QWebEngineProfile* profile);

// The address of HTML resource id ("gdict://app/page/<id>"). The page is served as UTF-8 with
// its content security policy; an id without a resource is not found.
QUrl ProgramPageUrl(int htmlResourceId);

// True for an address on the program's origin.
bool IsProgramUrl(const QUrl& url);
