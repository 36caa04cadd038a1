// Reading and using a live web page from a UI test: scripts run in it, and mouse clicks on its
// elements as a person makes them.
#pragma once

#include <QString>
#include <QVariant>
#include <Qt>

class QWebEnginePage;
class QWebEngineView;

// The value of script run in page's main world; an invalid value, and a test failure, when the
// page gives no answer.
QVariant EvaluateInPage(QWebEnginePage* page, const QString& script);

// Clicks the centre of the first element that the CSS selector matches, once it has a size (an
// image has none until it has loaded), with the mouse on view's focus proxy. False when no such
// element appeared.
bool ClickInPage(QWebEngineView* view, const QString& selector,
                 Qt::MouseButton button = Qt::LeftButton);
