// The organiser frame: tab layout, selection, page rectangles, header commands, painting and the
// slide, with real widgets on the offscreen platform.
#include <gtest/gtest.h>

#include <QDialog>
#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <array>
#include <memory>

#include "browser_recorder.h"
#include "controls/pad_tab_wnd.h"
#include "files/program_directory.h"
#include "platform/ansi_text.h"
#include "platform/fonts.h"
#include "platform/main_window.h"
#include "platform/string_resources.h"
#include "settings/startup_settings.h"

namespace {

// The main window's figures: 31,60,300,426 gives a 269 x 366 client area.
const QRect kRect(QPoint(31, 60), QPoint(299, 425));
constexpr int kWidth = 269;
constexpr int kHeight = 366;
constexpr unsigned kBottom = CPADTabWnd::WS_CHILD | CPADTabWnd::WS_VISIBLE | CPADTabWnd::PTS_BOTTOM;

CPDAButton* HeaderButton(const CPADTabWnd& tab, int id) {
    for (CPDAButton* button : tab.findChildren<CPDAButton*>()) {
        if (button->GetDlgCtrlID() == id) return button;
    }
    return nullptr;
}

class PADTabWndTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        InstallFontSubstitutions();
        BuildStartupSettings(TheStartupSettings(), LoadStringTable(), GetProgramDirectory());
    }

    // A tab window in m_host with the program's three pages, page 0 selected.
    void Build(unsigned style) {
        m_host.resize(330, 548);
        ASSERT_TRUE(m_tab.Create(style, kRect, &m_host, 125));
        m_tab.SetTitle(TheStartupSettings().titleText);
        const char* captions[] = {"词典", "在线", "关于"};
        for (std::size_t i = 0; i < m_pages.size(); ++i) {
            m_pages[i] = std::make_unique<QWidget>(&m_tab);
            m_tab.AddTab(m_pages[i].get(), ToAnsi(QString::fromUtf8(captions[i])).c_str(), 0);
        }
        m_tab.SetCurSel(0);
        m_tab.RecalcLayout();
        m_host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_host));
    }

    void Click(QPoint point) { QTest::mouseClick(&m_tab, Qt::LeftButton, {}, point); }

    QWidget m_host;
    std::array<std::unique_ptr<QWidget>, 3> m_pages;
    CPADTabWnd m_tab;
};

TEST_F(PADTabWndTest, TabsTakeTheirCaptionWidthsThreePixelsApart) {
    Build(kBottom);
    // Two 12-pixel characters plus 15: 39 wide, right edge at left + 38, next left 3 further.
    EXPECT_EQ(m_tab.GetTabRect(0), QRect(1, kHeight - 20, 38, 19));
    EXPECT_EQ(m_tab.GetTabRect(1), QRect(42, kHeight - 20, 38, 19));
    EXPECT_EQ(m_tab.GetTabRect(2), QRect(83, kHeight - 20, 38, 19));
    EXPECT_EQ(m_tab.GetTabRect(3), QRect());
}

TEST_F(PADTabWndTest, FixedWidthTabsShareTheStrip) {
    Build(kBottom | CPADTabWnd::PTS_FIXEDWIDTH);
    const int share = (kWidth - 6) / 3;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m_tab.GetTabRect(i), QRect(1 + i * (share + 2), kHeight - 20, share - 1, 19));
    }
}

TEST_F(PADTabWndTest, OverlongCaptionsAreLaidOutAgainInsideTheStrip) {
    Build(kBottom);
    const std::string wide = ToAnsi(QString(30, QChar(0x8BCD)));
    m_tab.AddTab(nullptr, wide.c_str(), 136);
    m_tab.RecalcLayout();
    EXPECT_EQ(m_tab.GetTabRect(0).left(), 0);
    for (int i = 1; i < m_tab.GetItemCount(); ++i) {
        EXPECT_EQ(m_tab.GetTabRect(i).left(), m_tab.GetTabRect(i - 1).right() + 2);
    }
    EXPECT_LE(m_tab.GetTabRect(3).right(), kWidth - 6);
}

TEST_F(PADTabWndTest, ClickOnATabShowsItsPageAndAClickInAGapDoesNothing) {
    Build(kBottom);
    EXPECT_TRUE(m_pages[0]->isVisible());
    EXPECT_FALSE(m_pages[1]->isVisible()) << "an unselected page came up with the window";
    EXPECT_FALSE(m_pages[2]->isVisible());

    Click(m_tab.GetTabRect(1).center());
    EXPECT_EQ(m_tab.GetCurSel(), 1);
    EXPECT_FALSE(m_pages[0]->isVisible());
    EXPECT_TRUE(m_pages[1]->isVisible());

    const QRect tab1 = m_tab.GetTabRect(1);
    Click(QPoint(tab1.right() + 2, tab1.center().y()));
    Click(QPoint(tab1.center().x(), tab1.top() - 1));
    // A double click is a click and a double-click message, which selects nothing.
    Click(m_tab.GetTabRect(2).center());
    QTest::mouseDClick(&m_tab, Qt::LeftButton, {}, m_tab.GetTabRect(0).center());
    EXPECT_EQ(m_tab.GetCurSel(), 2);
    Click(QPoint(tab1.right() + 2, tab1.center().y()));
    EXPECT_EQ(m_tab.GetCurSel(), 2);
    EXPECT_TRUE(m_pages[2]->isVisible());
}

TEST_F(PADTabWndTest, SelectionPastTheEndHidesThePageAndKeepsTheIndex) {
    Build(kBottom);
    m_tab.SetCurSel(5);
    EXPECT_EQ(m_tab.GetCurSel(), 0);
    EXPECT_FALSE(m_pages[0]->isVisible());
    m_tab.SetCurSel(0);
    EXPECT_FALSE(m_pages[0]->isVisible()) << "selecting the kept index again showed its page";
    m_tab.SetCurSel(1);
    EXPECT_TRUE(m_pages[1]->isVisible());
}

TEST_F(PADTabWndTest, RefreshWithoutSelectionSelectsTheFirstTab) {
    m_host.resize(330, 548);
    ASSERT_TRUE(m_tab.Create(kBottom, kRect, &m_host, 125));
    m_pages[0] = std::make_unique<QWidget>(&m_tab);
    m_tab.AddTab(m_pages[0].get(), "A", 0);
    m_host.show();
    EXPECT_EQ(m_tab.GetCurSel(), -1);
    EXPECT_FALSE(m_pages[0]->isVisible());
    m_tab.Refresh();
    EXPECT_EQ(m_tab.GetCurSel(), 0);
    EXPECT_TRUE(m_pages[0]->isVisible());
}

TEST_F(PADTabWndTest, PageRectangleFollowsTheTabRow) {
    Build(kBottom);
    EXPECT_EQ(m_tab.GetPageRect(), QRect(0, 24, kWidth, kHeight - 44));
    EXPECT_EQ(m_pages[2]->geometry(), m_tab.GetPageRect());

    CPADTabWnd top;
    ASSERT_TRUE(top.Create(CPADTabWnd::WS_CHILD, kRect, &m_host, 126));
    EXPECT_EQ(top.GetTabStyle(), CPADTabWnd::PTS_TOP) << "no tab style means the top row";
    EXPECT_EQ(top.GetPageRect(), QRect(0, 20, kWidth, kHeight - 44));
    EXPECT_FALSE(top.isVisible());

    CPADTabWnd plain;
    ASSERT_TRUE(plain.Create(CPADTabWnd::WS_CHILD | CPADTabWnd::PTS_FIXEDWIDTH, kRect, &m_host, 0));
    EXPECT_EQ(plain.GetPageRect(), QRect(0, 0, kWidth, kHeight));

    CPADTabWnd orphan;
    EXPECT_FALSE(orphan.Create(kBottom, kRect, nullptr, 0));
}

TEST_F(PADTabWndTest, CaptionsAreShortenedToFit) {
    QFont font(QStringLiteral("宋体"));
    font.setPixelSize(12);
    const QFontMetrics metrics(font);
    const std::string ten = ToAnsi(QString(10, QChar(0x8BCD)));
    EXPECT_EQ(CPADTabWnd::ShortenCaption(ten, 120, metrics), ten) << "a fitting caption changed";
    // 72 pixels hold six characters: four cuts, one more, then the dots.
    EXPECT_EQ(CPADTabWnd::ShortenCaption(ten, 79, metrics), ten.substr(0, 10) + "...");
    // Ten cuts at most, even when the text still does not fit.
    const std::string thirty = ToAnsi(QString(30, QChar(0x8BCD)));
    EXPECT_EQ(CPADTabWnd::ShortenCaption(thirty, 10, metrics), thirty.substr(0, 38) + "...");
    // A cut through a double-byte character takes its lead byte too.
    const std::string mixed = ToAnsi(QString::fromUtf8("词词词a"));
    const int twoCharacters = metrics.horizontalAdvance(QString::fromUtf8("词词"));
    EXPECT_EQ(CPADTabWnd::ShortenCaption(mixed, twoCharacters, metrics),
              ToAnsi(QString::fromUtf8("词")) + "...");
}

TEST_F(PADTabWndTest, HeaderButtonsSitInTheCornersAndCloseEndsTheDialogWithOne) {
    QDialog dialog;
    dialog.resize(330, 548);
    // Declared after its parent, which must outlive it.
    CPADTabWnd tab;
    ASSERT_TRUE(tab.Create(kBottom, kRect, &dialog, 125));
    CPDAButton* close = HeaderButton(tab, CPADTabWnd::ID_CLOSE);
    CPDAButton* minimize = HeaderButton(tab, CPADTabWnd::ID_MINIMIZE);
    CPDAButton* logo = HeaderButton(tab, CPADTabWnd::ID_LOGO);
    ASSERT_TRUE(close && minimize && logo);
    EXPECT_EQ(close->geometry(), QRect(kWidth - 23, 0, 23, 23));
    EXPECT_EQ(minimize->geometry(), QRect(kWidth - 47, 0, 23, 23));
    EXPECT_EQ(logo->geometry(), QRect(0, 0, 24, 24));

    QTimer::singleShot(0, close, [close] { QTest::mouseClick(close, Qt::LeftButton); });
    EXPECT_EQ(dialog.exec(), 1);
}

TEST_F(PADTabWndTest, LogoOpensThePublishersAddressAndMinimizeMinimizesTheMainWindow) {
    QDialog dialog;
    dialog.resize(330, 548);
    // Declared after its parent, which must outlive it.
    CPADTabWnd tab;
    ASSERT_TRUE(tab.Create(kBottom, kRect, &dialog, 125));
    dialog.show();
    BrowserRecorder recorder;
    QTest::mouseClick(HeaderButton(tab, CPADTabWnd::ID_LOGO), Qt::LeftButton);
    EXPECT_TRUE(recorder.opened.empty());
    tab.SetLogoUrl("http://publisher.example/logo");
    QTest::mouseClick(HeaderButton(tab, CPADTabWnd::ID_LOGO), Qt::LeftButton);
    ASSERT_EQ(recorder.opened.size(), 1u);
    EXPECT_EQ(recorder.opened[0], QUrl("http://publisher.example/logo"));

    SetMainWindow(&dialog);
    QTest::mouseClick(HeaderButton(tab, CPADTabWnd::ID_MINIMIZE), Qt::LeftButton);
    SetMainWindow(nullptr);
    EXPECT_TRUE(dialog.windowState() & Qt::WindowMinimized);
}

TEST_F(PADTabWndTest, PaintsTheHeaderBandTitleAndTabs) {
    Build(kBottom);
    const QImage image = m_tab.grab().toImage();
    ASSERT_EQ(image.size(), QSize(kWidth, kHeight));
    EXPECT_EQ(QColor(image.pixel(150, 1)), QColor(0, 0, 150));
    bool titleDrawn = false;
    for (int x = 26; x < 120 && !titleDrawn; ++x) {
        for (int y = 0; y < 24 && !titleDrawn; ++y) titleDrawn = qGray(image.pixel(x, y)) > 200;
    }
    EXPECT_TRUE(titleDrawn) << "no light title text in the header band";

    const QRect selected = m_tab.GetTabRect(0);
    const QRect other = m_tab.GetTabRect(1);
    // The selected tab is white and open to the page; the others sit under the strip's line.
    EXPECT_EQ(QColor(image.pixel(selected.left() + 2, selected.top())), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(selected.left() + 2, selected.top() - 2)), QColor(Qt::white));
    EXPECT_EQ(QColor(image.pixel(selected.left(), selected.bottom())), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(other.left() + 2, other.top())), QColor(Qt::black));
    EXPECT_EQ(QColor(image.pixel(other.left() + 2, other.top() + 2)),
              QGuiApplication::palette().color(QPalette::Button));
}

TEST_F(PADTabWndTest, SlideBringsThePageInFromTheLeftToTheShrunkRectangle) {
    Build(kBottom | CPADTabWnd::PTS_SLIDE);
    const QRect end = m_tab.GetPageRect().adjusted(4, 4, -4, -4);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_pages[0]->geometry() == end; }, 2000));

    std::vector<int> xs;
    class MoveRecorder : public QObject {
    public:
        explicit MoveRecorder(std::vector<int>* xs) : m_xs(xs) {}
        bool eventFilter(QObject*, QEvent* event) override {
            // A hidden page's move reaches it when it shows, as a move to where it is.
            if (event->type() != QEvent::Move) return false;
            const auto* move = static_cast<QMoveEvent*>(event);
            if (move->pos() != move->oldPos()) m_xs->push_back(move->pos().x());
            return false;
        }
        std::vector<int>* m_xs;
    } recorder(&xs);
    m_pages[1]->installEventFilter(&recorder);

    m_tab.SetCurSel(1);
    EXPECT_FALSE(m_pages[0]->isVisible());
    EXPECT_FALSE(m_pages[1]->isVisible()) << "the page showed before the first step";
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_pages[1]->geometry() == end; }, 2000));
    ASSERT_FALSE(xs.empty());
    EXPECT_EQ(xs.front(), 11 - end.width());
    EXPECT_EQ(xs.back(), end.left());
    EXPECT_TRUE(std::is_sorted(xs.begin(), xs.end()));
    EXPECT_TRUE(m_pages[1]->isVisible());
}

TEST_F(PADTabWndTest, DestroyingTheWindowLeavesThePagesToTheirOwner) {
    QWidget host;
    auto page = std::make_unique<QWidget>();
    {
        CPADTabWnd tab;
        ASSERT_TRUE(tab.Create(kBottom, kRect, &host, 125));
        page->setParent(&tab);
        tab.AddTab(page.get(), "A", 0);
    }
    EXPECT_EQ(page->parent(), nullptr);
}

}  // namespace
