// The organiser's keys under the screen: where they lie on the skin, what a click on each does
// once the window is ready, that none works while it loads, and how a held key and the pointer
// look.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainterPath>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <memory>
#include <vector>

#include "app/main_dialog.h"
#include "app/organiser_keys.h"
#include "dictionary/dict_entry.h"
#include "files/program_directory.h"
#include "platform/ansi_text.h"
#include "platform/fonts.h"
#include "platform/main_window.h"
#include "platform/message_box.h"
#include "platform/string_resources.h"
#include "recording_speech_engine.h"
#include "settings/startup_settings.h"
#include "ui_wait.h"

namespace {

// A point well inside key's area: the middle of its bounding box, which for an arrow of the pad
// lies on the arrow's axis between the centre key and the rim.
QPoint PointOn(OrganiserKey key) {
    return OrganiserKeyArea(key).boundingRect().center().toPoint();
}

int Brightness(QColor colour) {
    return colour.red() + colour.green() + colour.blue();
}

// The mean brightness of the skin's pixels whose centres lie in area.
int MeanBrightness(const QImage& skin, const QPainterPath& area) {
    long long sum = 0;
    int count = 0;
    const QRect box = area.boundingRect().toAlignedRect();
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x) {
            if (!area.contains(QPointF(x + 0.5, y + 0.5))) continue;
            sum += Brightness(skin.pixelColor(x, y));
            ++count;
        }
    }
    return count > 0 ? static_cast<int>(sum / count) : -1;
}

QPainterPath Ring(QPointF centre, double inner, double outer) {
    QPainterPath ring;
    ring.addEllipse(centre, outer, outer);
    ring.addEllipse(centre, inner, inner);
    return ring;
}

// The keys' measures must be where the skin draws the keys: each face is dark graphite, and
// just outside each recess lies the light shell, which is no key.
TEST(OrganiserKeyGeometryTest, EveryKeyLiesOnItsPictureInTheSkin) {
    const QImage skin(QStringLiteral(":/bitmaps/129.bmp"));
    ASSERT_FALSE(skin.isNull());
    for (OrganiserKey key : kOrganiserKeys) {
        SCOPED_TRACE(static_cast<int>(key));
        EXPECT_EQ(OrganiserKeyAt(PointOn(key)), key);
        EXPECT_TRUE(
            OrganiserKeyArea(key).boundingRect().contains(OrganiserKeyFace(key).boundingRect()));
        EXPECT_LT(MeanBrightness(skin, OrganiserKeyFace(key)), 360);
    }
    const QPainterPath pad = OrganiserKeyArea(OrganiserKey::PadUp)
                                 .united(OrganiserKeyArea(OrganiserKey::PadDown))
                                 .united(OrganiserKeyArea(OrganiserKey::PadLeft))
                                 .united(OrganiserKeyArea(OrganiserKey::PadRight));
    for (const QPainterPath& area :
         {OrganiserKeyArea(OrganiserKey::Book), OrganiserKeyArea(OrganiserKey::Speaker),
          OrganiserKeyArea(OrganiserKey::Globe), OrganiserKeyArea(OrganiserKey::Info), pad}) {
        const QPointF centre = area.boundingRect().center();
        const double recess = area.boundingRect().width() / 2;
        SCOPED_TRACE(centre.x());
        ASSERT_GT(recess, 10);
        EXPECT_GT(MeanBrightness(skin, Ring(centre, recess + 1.5, recess + 3.5)), 450);
        EXPECT_EQ(OrganiserKeyAt(centre + QPointF(0, recess + 2.5)), std::nullopt);
    }
}

class OrganiserKeysTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        InstallFontSubstitutions();
        BuildStartupSettings(TheStartupSettings(), LoadStringTable(), GetProgramDirectory());
    }

    void SetUp() override {
        CMainDialog::LoadingTicks() = 0;
        SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
            m_boxes.push_back(request);
            return MessageBoxAnswer::No;
        });
        m_window = std::make_unique<CMainDialog>(
            std::make_unique<CSpeechVoice>(std::make_unique<RecordingSpeechEngine>(&m_said)));
        SetMainWindow(m_window.get());
        m_window->OnCreate();
        m_window->OnInitDialog();
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void TearDown() override {
        m_window.reset();
        SetMainWindow(nullptr);
        SetMessageBoxAnswerer({});
    }

    // Ends the loading phase and waits for the dictionary page to be decorated.
    void MakeReady() {
        for (int i = 0; i <= CMainDialog::kLoadingTicks; ++i) {
            m_window->OnTimer(CMainDialog::kLoadingTimerId);
        }
        ASSERT_TRUE(m_window->IsReady());
        ASSERT_TRUE(WaitFor([this] {
            return m_window->DictPage().GetBrowser()->focusProxy() != nullptr &&
                   Eval("document.getElementById('BUTTON_GO') !== null").toBool();
        }));
    }

    QVariant Eval(const QString& script) {
        QVariant result;
        bool done = false;
        m_window->DictPage().GetBrowser()->page()->runJavaScript(script,
                                                                 [&](const QVariant& value) {
                                                                     result = value;
                                                                     done = true;
                                                                 });
        EXPECT_TRUE(WaitFor([&] { return done; })) << "no answer to " << script.toStdString();
        return result;
    }

    // Moves the pointer to point of the window, as the window system does (a move to where the
    // pointer already is reaches no one).
    void MoveTo(QPoint point) {
        QTest::mouseMove(m_window->windowHandle(), point);
        QCoreApplication::processEvents();
    }

    void Click(OrganiserKey key) {
        QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, {}, PointOn(key));
    }

    // Where the results area is scrolled to, once the page has done what it was asked before.
    int ScrollTop() { return Eval("document.getElementById('DivDictView').scrollTop").toInt(); }

    // The results' row tops less the first row's: where each row puts the results when it is
    // scrolled to the top.
    std::vector<int> RowSteps() {
        std::vector<int> steps;
        for (const QVariant& step :
             Eval("(function () {"
                  "  const tops = Array.from(document.querySelectorAll('#TD_DICT_ITEM tr'),"
                  "                          row => row.getBoundingClientRect().top);"
                  "  return tops.map(top => Math.round(top - tops[0])); })()")
                 .toList()) {
            steps.push_back(step.toInt());
        }
        return steps;
    }

    // Runs the pad's centre key on text, put into the search box as a script does (no key
    // events tell the page of it), and waits for the rows with their pictures, which set the
    // rows' heights.
    void SearchWithTheCentreKey(const QString& text) {
        Eval(QStringLiteral("document.getElementById('TxtBoxFind').value = '%1'").arg(text));
        Click(OrganiserKey::PadCentre);
        ASSERT_TRUE(WaitFor([&] {
            return Eval(
                       "document.querySelectorAll('#TD_DICT_ITEM tr').length > 5 && "
                       "Array.from(document.images).every(image => image.complete)")
                .toBool();
        }));
    }

    int CurrentTab() { return m_window->TabWindow().GetCurSel(); }

    std::unique_ptr<CMainDialog> m_window;
    std::vector<MessageBoxRequest> m_boxes;
    std::vector<QString> m_said;
};

TEST_F(OrganiserKeysTest, TabKeysSelectTheirTabs) {
    MakeReady();
    struct Case {
        int from;
        OrganiserKey key;
        int to;
    };
    const Case cases[] = {
        {2, OrganiserKey::Book, 0},     {0, OrganiserKey::Globe, 1},
        {0, OrganiserKey::Info, 2},     {0, OrganiserKey::PadRight, 1},
        {2, OrganiserKey::PadRight, 3}, {3, OrganiserKey::PadRight, 0},
        {0, OrganiserKey::PadLeft, 3},  {3, OrganiserKey::PadLeft, 2},
        {1, OrganiserKey::PadLeft, 0},  {1, OrganiserKey::PadDown, 0},
        {3, OrganiserKey::Book, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.key));
        m_window->TabWindow().SetCurSel(c.from);
        Click(c.key);
        EXPECT_EQ(CurrentTab(), c.to);
        EXPECT_TRUE(m_window->TabWindow().isVisible());
    }
}

TEST_F(OrganiserKeysTest, BookPutsTheFocusInTheSearchBox) {
    MakeReady();
    m_window->TabWindow().SetCurSel(2);
    Click(OrganiserKey::Book);
    EXPECT_EQ(CurrentTab(), 0);
    EXPECT_TRUE(WaitFor([this] {
        return Eval("document.activeElement && document.activeElement.id").toString() ==
               QStringLiteral("TxtBoxFind");
    }));
}

TEST_F(OrganiserKeysTest, CentreSearchesTheBoxAndThePadMovesTheResultsByRows) {
    MakeReady();
    SearchWithTheCentreKey(QStringLiteral("collar"));
    EXPECT_GT(m_window->DictPage().GetResults().size(), 10u);
    EXPECT_EQ(m_window->DictPage().GetResults()[0]->english, "collar");
    const std::vector<int> steps = RowSteps();
    ASSERT_GT(steps.size(), 3u);
    ASSERT_GT(steps[1], 0);

    EXPECT_EQ(ScrollTop(), 0);
    Click(OrganiserKey::PadDown);
    EXPECT_EQ(ScrollTop(), steps[1]);
    Click(OrganiserKey::PadDown);
    EXPECT_EQ(ScrollTop(), steps[2]);
    Click(OrganiserKey::PadUp);
    EXPECT_EQ(ScrollTop(), steps[1]);
    Click(OrganiserKey::PadUp);
    Click(OrganiserKey::PadUp);
    EXPECT_EQ(ScrollTop(), 0);

    // An empty box asks for a word, as the GO image does.
    Eval("document.getElementById('TxtBoxFind').value = ''");
    Click(OrganiserKey::PadCentre);
    ASSERT_TRUE(WaitFor([this] { return !m_boxes.empty(); }));
    EXPECT_EQ(m_boxes[0].text, QStringLiteral("请输入要查的单词"));
}

TEST_F(OrganiserKeysTest, SpeakerReadsTheFirstRowOnlyWhileRowsAreShown) {
    MakeReady();
    Click(OrganiserKey::Speaker);
    QTest::qWait(3 * RecordingSpeechEngine::kUtteranceMs);
    EXPECT_TRUE(m_said.empty()) << "spoke before any search";

    SearchWithTheCentreKey(QStringLiteral("shirt"));
    Click(OrganiserKey::Speaker);
    ASSERT_TRUE(WaitFor([this] { return !m_said.empty(); }));
    EXPECT_EQ(m_said,
              std::vector<QString>{FromAnsi(m_window->DictPage().GetResults()[0]->english)});

    // A search that finds nothing shows no rows, though the earlier results are kept.
    m_window->DictPage().QueryAndShow("qqqzzzxxx");
    Click(OrganiserKey::Speaker);
    QTest::qWait(3 * RecordingSpeechEngine::kUtteranceMs);
    EXPECT_EQ(m_said.size(), 1u);
}

TEST_F(OrganiserKeysTest, KeysDoNothingWhileTheWindowLoads) {
    m_window->OnTimer(CMainDialog::kLoadingTimerId);
    for (OrganiserKey key : kOrganiserKeys) {
        MoveTo(PointOn(key));
        EXPECT_NE(m_window->cursor().shape(), Qt::PointingHandCursor);
        Click(key);
    }
    QTest::qWait(3 * RecordingSpeechEngine::kUtteranceMs);
    EXPECT_EQ(CurrentTab(), 0);
    EXPECT_FALSE(m_window->TabWindow().isVisible());
    EXPECT_TRUE(m_said.empty());
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(OrganiserKeysTest, AHeldKeySinksAndTheHandShowsOverKeysOnly) {
    MakeReady();
    QWindow* window = m_window->windowHandle();
    const QPoint info = PointOn(OrganiserKey::Info);
    // A point of the face beside the "i", where the key is plain graphite.
    const QPoint face = info + QPoint(7, 0);
    const QColor before = m_window->grab().toImage().pixelColor(face);

    const QPoint shell(160, 540);
    MoveTo(shell);
    EXPECT_NE(m_window->cursor().shape(), Qt::PointingHandCursor);
    MoveTo(info);
    EXPECT_EQ(m_window->cursor().shape(), Qt::PointingHandCursor);
    MoveTo(shell);
    EXPECT_NE(m_window->cursor().shape(), Qt::PointingHandCursor);

    QTest::mousePress(window, Qt::LeftButton, {}, info);
    const QColor held = m_window->grab().toImage().pixelColor(face);
    EXPECT_LT(Brightness(held), Brightness(before) - 30);
    // Moving off the key while the button is down lets it up; releasing there does nothing.
    QTest::mouseMove(window, info + QPoint(40, 0));
    EXPECT_EQ(m_window->grab().toImage().pixelColor(face), before);
    QTest::mouseRelease(window, Qt::LeftButton, {}, info + QPoint(40, 0));
    EXPECT_EQ(CurrentTab(), 0);
    EXPECT_EQ(m_window->grab().toImage().pixelColor(face), before);
}

}  // namespace
