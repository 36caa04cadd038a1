// The program's own origin: what it serves, and to whom.
#include <gtest/gtest.h>

#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <optional>

#include "pagehost/program_scheme.h"
#include "ui_wait.h"

namespace {

// Whether the browser could load address as a page of its own.
bool Loads(const QString& address) {
    QWebEnginePage page;
    ServeProgramScheme(page.profile());
    std::optional<bool> loaded;
    QObject::connect(&page, &QWebEnginePage::loadFinished, [&](bool ok) { loaded = ok; });
    page.load(QUrl(address));
    EXPECT_TRUE(WaitFor([&] { return loaded.has_value(); })) << address.toStdString();
    return loaded.value_or(false);
}

TEST(ProgramSchemeTest, ServesThePagesAndThePicturesOnly) {
    const std::pair<const char*, bool> addresses[] = {
        {"gdict://app/page/103", true},
        {"gdict://app/pictures/go.gif", true},
        {"gdict://app/pictures/GO.GIF", false},  // file names are as they are
        {"gdict://app/page/999", false},
        {"gdict://app/page/103x", false},
        {"gdict://app/pictures/garment_dict.dat", false},
        {"gdict://app/pictures/dict_page_tests", false},
        {"gdict://app/pictures/..%2Fbin%2Fgo.gif", false},
        {"gdict://app/pictures/missing.gif", false},
        {"gdict://app/go.gif", false},
        {"gdict://other/page/103", false},
    };
    for (const auto& [address, served] : addresses) {
        EXPECT_EQ(Loads(address), served) << address;
    }
}

TEST(ProgramSchemeTest, PagesOfOtherOriginsGetNothing) {
    QWebEnginePage page;
    ServeProgramScheme(page.profile());
    bool loaded = false;
    QObject::connect(&page, &QWebEnginePage::loadFinished, [&] { loaded = true; });
    page.setHtml(
        "<img id=mine src='gdict://app/pictures/go.gif'>"
        "<img id=theirs src='data:image/gif;base64,"
        "R0lGODlhAQABAIAAAAAAAP///yH5BAEAAAAALAAAAAABAAEAAAIBRAA7'>",
        QUrl("http://publisher.invalid/"));
    ASSERT_TRUE(WaitFor([&] { return loaded; }));
    std::optional<QVariant> widths;
    page.runJavaScript(
        "[document.getElementById('mine').naturalWidth,"
        " document.getElementById('theirs').naturalWidth]",
        [&](const QVariant& value) { widths = value; });
    ASSERT_TRUE(WaitFor([&] { return widths.has_value(); }));
    ASSERT_EQ(widths->toList().size(), 2);
    EXPECT_EQ(widths->toList()[0].toInt(), 0) << "the program's picture reached another origin";
    EXPECT_EQ(widths->toList()[1].toInt(), 1) << "the page's own picture did not load";
}

}  // namespace
