#include "page_script.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "ui_wait.h"

QVariant EvaluateInPage(QWebEnginePage* page, const QString& script) {
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant& value) {
        result = value;
        done = true;
    });
    EXPECT_TRUE(WaitFor([&] { return done; })) << "no answer to " << script.toStdString();
    return result;
}

bool ClickInPage(QWebEngineView* view, const QString& selector, Qt::MouseButton button) {
    const QString centreScript =
        QStringLiteral(
            "(function () {"
            "  const element = document.querySelector('%1');"
            "  if (!element) return [];"
            "  element.scrollIntoView();"
            "  const box = element.getBoundingClientRect();"
            "  if (box.width === 0 || box.height === 0) return [];"
            "  return [box.left + box.width / 2, box.top + box.height / 2]; })()")
            .arg(selector);
    QVariantList centre;
    WaitFor([&] {
        centre = EvaluateInPage(view->page(), centreScript).toList();
        return centre.size() == 2;
    });
    if (centre.size() != 2 || view->focusProxy() == nullptr) return false;
    const QPoint at(static_cast<int>(centre[0].toDouble()), static_cast<int>(centre[1].toDouble()));
    QTest::mouseClick(view->focusProxy(), button, Qt::NoModifier, at);
    return true;
}
