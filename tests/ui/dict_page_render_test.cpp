// What the person sees: the rendered page after a search of the bundled dictionary, with the
// search text in red and every picture in place. The picture is kept in the build folder as
// screenshots/dictionary_page.png for people to look at.
#include <QDir>
#include <QImage>
#include <QWebEngineView>

#include "dictionary/dict_store.h"
#include "page_test_support.h"

namespace {

int CountPixels(const QImage& image, const std::function<bool(QColor)>& wanted) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += wanted(image.pixelColor(x, y)) ? 1 : 0;
    }
    return count;
}

TEST_F(DictPageTest, RenderedResultsShowTheSearchTextInRed) {
    CDictStore bundled;
    bundled.LoadFile(GDICT_BIN_DIR "/garment_dict.dat");
    Page().m_pDictionary = &bundled;
    Search("collar");
    ASSERT_GT(Page().GetResults().size(), 10u);
    ASSERT_TRUE(WaitFor([this] {
        return Eval("Array.from(document.images).every(i => i.complete && i.naturalWidth > 0)")
            .toBool();
    }));
    // The rows' pictures are painted a little after the text: wait for both.
    const auto isRed = [](QColor c) { return c.red() > 200 && c.green() < 80 && c.blue() < 80; };
    const auto isPictureBlue = [](QColor c) { return c.blue() > 150 && c.red() < 100; };
    QImage shot;
    ASSERT_TRUE(WaitFor([&] {
        shot = Page().GetBrowser()->grab().toImage();
        const QImage results = shot.copy(0, 30, shot.width(), shot.height() - 30);
        return CountPixels(shot, isRed) > 50 && CountPixels(results, isPictureBlue) > 100;
    })) << "no red search text or no row pictures on the screen";
    // The search bar's background, #CCDDEE, around the search box.
    EXPECT_GT(CountPixels(shot, [](QColor c) { return c == QColor(0xCC, 0xDD, 0xEE); }), 200);

    QDir().mkpath(GDICT_SCREENSHOT_DIR);
    shot.save(GDICT_SCREENSHOT_DIR "/dictionary_page.png");
}

}  // namespace
