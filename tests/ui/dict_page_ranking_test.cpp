// The ranking in the real page over the bundled dictionary: the typed term first, a trailing
// note shown apart from the term, and a measurement's conversions as the first line of the
// results cell, with no web-dictionary question. The pictures are kept in the build folder as
// screenshots/ranking_chinese_first.png and screenshots/measurement_line.png.
#include <QDir>
#include <QImage>
#include <QWebEngineView>

#include "browser_recorder.h"
#include "dictionary/dict_store.h"
#include "page_test_support.h"

namespace {

class DictPageRankingTest : public DictPageTest {
protected:
    void SetUp() override {
        DictPageTest::SetUp();
        m_bundled.LoadFile(GDICT_BIN_DIR "/garment_dict.dat");
        Page().m_pDictionary = &m_bundled;
    }
    void TearDown() override {
        Page().m_pDictionary = nullptr;
        DictPageTest::TearDown();
    }
    // The page as the person sees it, once the results cell's text and pictures are painted.
    void SaveShot(const char* name) {
        ASSERT_TRUE(WaitFor([this] {
            return Eval("Array.from(document.images).every(i => i.complete && i.naturalWidth > 0)")
                .toBool();
        }));
        // The text of the cell (#333333, lighter at the edges of its strokes) below the search
        // bar (the top 24 pixels); the page's background and pictures are all lighter.
        const auto isText = [](QColor c) {
            return c.red() < 150 && c.green() < 150 && c.blue() < 150;
        };
        QImage shot;
        const bool painted = WaitFor([&] {
            shot = Page().GetBrowser()->grab().toImage();
            int text = 0;
            for (int y = 24; y < shot.height(); ++y) {
                for (int x = 0; x < shot.width(); ++x) text += isText(shot.pixelColor(x, y));
            }
            return text > 100;
        });
        QDir().mkpath(GDICT_SCREENSHOT_DIR);
        shot.save(QString(GDICT_SCREENSHOT_DIR "/") + name);
        ASSERT_TRUE(painted) << "no results on the screen";
    }

    CDictStore m_bundled;
    BrowserRecorder m_browser;
};

TEST_F(DictPageRankingTest, TheTypedTermComesFirstAndItsNoteStandsApart) {
    Search("衬衫");
    ASSERT_GT(Page().GetResults().size(), 10u);
    EXPECT_EQ(Page().GetResults()[0]->english, "shirt");
    EXPECT_EQ(Eval("document.querySelector('#TD_DICT_ITEM b').innerHTML").toString(),
              "<font color=\"#ff0000\">衬衫</font>");
    EXPECT_TRUE(m_boxes.empty());
    SaveShot("ranking_chinese_first.png");

    // 拷边（车间用语）: the term in red and bold, the note after it in the small grey type.
    Search("拷边");
    ASSERT_FALSE(Page().GetResults().empty());
    EXPECT_EQ(Page().GetResults()[0]->english, "overlock");
    EXPECT_EQ(Eval("document.querySelector('#TD_DICT_ITEM b').textContent").toString(), "拷边");
    const QString note = "document.querySelector('#TD_DICT_ITEM td.DictItem .Note')";
    EXPECT_EQ(Eval(note + ".textContent").toString(), "（车间用语）");
    EXPECT_EQ(Eval(note + ".previousElementSibling.nodeName").toString(), "B");
    EXPECT_EQ(Eval(note + ".querySelector('font')").toString(), "");
    EXPECT_EQ(Eval("getComputedStyle(" + note + ").color").toString(), "rgb(153, 153, 153)");
    EXPECT_LT(Eval("parseFloat(getComputedStyle(" + note + ").fontSize)").toDouble(),
              Eval("parseFloat(getComputedStyle(document.querySelector('#TD_DICT_ITEM b'))"
                   ".fontSize)")
                  .toDouble());

    // English: the typed word's entry before those that begin with it.
    Search("zippers");
    ASSERT_FALSE(Page().GetResults().empty());
    EXPECT_EQ(Page().GetResults()[0]->english, "zipper");
}

TEST_F(DictPageRankingTest, AMeasurementShowsItsConversionsFirstAndAsksNothing) {
    const char* measurement = "document.querySelector('#TD_DICT_ITEM > .Measurement')";
    Search("200 gsm");
    EXPECT_TRUE(m_boxes.empty()) << "a measurement is no miss";
    EXPECT_TRUE(m_browser.opened.empty());
    EXPECT_EQ(Eval(QString(measurement) + ".textContent").toString(), "200 g/m² = 5.90 oz/yd²");
    EXPECT_TRUE(Eval(QString("document.getElementById('TD_DICT_ITEM').firstElementChild === ") +
                     measurement)
                    .toBool());
    // In the results' own font.
    EXPECT_EQ(
        Eval(QString("getComputedStyle(") + measurement + ").fontSize").toString(),
        Eval("getComputedStyle(document.getElementById('TD_DICT_ITEM')).fontSize").toString());
    EXPECT_TRUE(Page().GetResults().empty());
    SaveShot("measurement_line.png");

    // Two lines, then the rows the dictionary holds for the text.
    Search("70d");
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ(Eval(QString(measurement) + ".innerHTML").toString(),
              "70 denier = 77.8 dtex<br>70 denier = 7.78 tex");
    ASSERT_FALSE(Page().GetResults().empty());
    EXPECT_EQ(Page().GetResults()[0]->english, "70D");
    EXPECT_EQ(Eval(QString(measurement) + ".nextElementSibling.nodeName").toString(), "TABLE");
}

}  // namespace
