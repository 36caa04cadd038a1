// Searching from the dictionary page: Enter and the GO image, the rows of the results cell, the
// limit of 100 rows, the red highlight and Chinese queries.
#include <gmock/gmock.h>

#include "page_test_support.h"

namespace {

using ::testing::ElementsAre;

// The nodes of the first result row's cell, each as "NAME:detail".
constexpr const char* kFirstRowNodes = R"((function () {
    const cell = document.querySelector('#TD_DICT_ITEM td.DictItem');
    return Array.from(cell.childNodes, function (node) {
        if (node.nodeName === 'IMG') {
            return 'IMG' + (node.id ? '#' + node.id : '') + ':' +
                   node.getAttribute('src').split('/').pop() +
                   (node.complete && node.naturalWidth > 0 ? '' : ' (not loaded)');
        }
        if (node.nodeName === 'B') return 'B:' + node.innerHTML;
        if (node.nodeName === '#text') return 'TEXT:' + node.textContent;
        return node.nodeName;
    });
})())";

// True once every image of the results cell has loaded.
constexpr const char* kCellImagesLoaded =
    "Array.from(document.querySelectorAll('#TD_DICT_ITEM img'))"
    "     .every(image => image.complete && image.naturalWidth > 0)";

std::vector<std::string> ToStrings(const QVariant& list) {
    std::vector<std::string> strings;
    for (const QVariant& item : list.toList()) strings.push_back(item.toString().toStdString());
    return strings;
}

TEST_F(DictPageTest, EnterAndTheGoImageRunTheSameSearch) {
    Search("shirt");
    ASSERT_EQ(Page().GetResults().size(), 5u);
    EXPECT_EQ(Page().GetResults()[0]->english, "shirt");
    EXPECT_EQ(Eval("document.querySelectorAll('#TD_DICT_ITEM tr').length").toInt(), 5);
    EXPECT_TRUE(WaitFor([this] { return Eval(kCellImagesLoaded).toBool(); }));
    EXPECT_THAT(
        ToStrings(Eval(kFirstRowNodes)),
        ElementsAre("IMG:arrow_d.gif", "B:<font color=\"#ff0000\">shirt</font>",
                    "IMG#IMGSP_0:speaker.gif", "BR", "TEXT:衬衫", "BR", "TEXT:\u00a0 ", "BR"));
    const QString afterEnter = CellHtml();

    Eval("document.getElementById('TD_DICT_ITEM').innerHTML = '<i id=stale></i>'");
    SetSearchBoxValue("shirt");
    Click("#BUTTON_GO");
    ASSERT_TRUE(WaitFor([this] { return Eval("!document.getElementById('stale')").toBool(); }));
    EXPECT_EQ(CellHtml(), afterEnter);
    EXPECT_TRUE(m_said.empty()) << "the GO image reached the speaker handler";
}

TEST_F(DictPageTest, ManyMatchesShowTheFirstHundredAndKeepAll) {
    Search("gusset");
    EXPECT_EQ(Page().GetResults().size(), 150u);
    EXPECT_EQ(Eval("document.querySelectorAll('#TD_DICT_ITEM tr').length").toInt(), 100);
    EXPECT_EQ(Eval("Array.from(document.querySelectorAll('[id^=IMGSP_]'), i => i.id).join()")
                  .toString()
                  .split(',')
                  .size(),
              100);
    EXPECT_TRUE(Eval("document.getElementById('IMGSP_99') !== null").toBool());
    EXPECT_TRUE(Eval("document.getElementById('IMGSP_100') === null").toBool());
}

TEST_F(DictPageTest, HighlightIsExactWhileTheSearchIgnoresCase) {
    Search("SHIRT");
    EXPECT_EQ(Page().GetResults().size(), 5u);
    EXPECT_EQ(Eval("document.querySelectorAll('#TD_DICT_ITEM font').length").toInt(), 0);

    Search("check");
    ASSERT_EQ(Page().GetResults().size(), 1u);
    EXPECT_EQ(Eval("document.querySelector('#TD_DICT_ITEM b').innerHTML").toString(),
              "<font color=\"#ff0000\">check</font>-on-<font color=\"#ff0000\">check</font>");
}

TEST_F(DictPageTest, ChineseQueryShowsTheChineseTextFirst) {
    Search("衬衫");
    ASSERT_EQ(Page().GetResults().size(), 3u);
    EXPECT_TRUE(WaitFor([this] { return Eval(kCellImagesLoaded).toBool(); }));
    EXPECT_THAT(
        ToStrings(Eval(kFirstRowNodes)),
        ElementsAre("IMG:arrow_d.gif", "B:<font color=\"#ff0000\">衬衫</font>",
                    "IMG#IMGSP_0:speaker.gif", "BR", "TEXT:shirt", "BR", "TEXT:\u00a0 ", "BR"));
}

TEST_F(DictPageTest, LeadingSpaceMakesAnEnglishQueryThatKeepsItsSpace) {
    Search(" 衬衫");
    // The search text keeps its space, which no entry holds before 衬衫.
    EXPECT_EQ(m_boxes.size(), 1u);
    Search(" shirt");
    ASSERT_EQ(Page().GetResults().size(), 1u);
    EXPECT_EQ(Eval("document.querySelector('#TD_DICT_ITEM b').textContent").toString(),
              "dress shirt");
}

}  // namespace
