// Copy to look up and selection look-up on a real X server: another program's copy (xclip)
// opens the popup at the pointer, inside the screen, without taking the focus from the program
// the user works in (an xterm); Escape, a click elsewhere and the timeouts close it; markup
// shows as text; what the dictionary does not answer, and the program's own copies, open
// nothing; a selection is looked up once it is still; the popup's links work while the organiser
// runs its modal loop.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QCursor>
#include <QDialog>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QTextDocument>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/clipboard_lookup.h"
#include "app/lookup_popup.h"
#include "app/main_dialog.h"
#include "app/popup_placement.h"
#include "dictionary/dict_store.h"
#include "platform/ansi_text.h"
#include "recording_speech_engine.h"
#include "ui_wait.h"
#include "view/entry_stars.h"
#include "x_desktop.h"

namespace {

using namespace std::chrono_literals;

const CDictStore& BundledDictionary() {
    static CDictStore store;
    if (store.size() == 0) store.LoadFile(GDICT_BIN_DIR "/garment_dict.dat");
    return store;
}

class KeptEntries : public CEntryStars {
public:
    bool IsStarred(std::string_view english, std::string_view) const override {
        return kept.count(std::string(english)) != 0;
    }
    bool Toggle(std::string_view english, std::string_view) override {
        const std::string key(english);
        if (!kept.erase(key)) kept.insert(key);
        return true;
    }
    std::set<std::string> kept;
};

class CopyLookupTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_own->AddEntry("<b>lining</b> tape", "<i>\xB3\xC4</i>");  // 衬
        // The organiser stands in the corner, in the modal loop that is the program's life.
        m_organiser.setWindowModality(CMainDialog::kModality);
        m_organiser.setGeometry(0, 600, 120, 100);
        m_organiser.show();
        MakePopup({});
    }

    void MakePopup(CPopupTimes times) {
        m_watcher.reset();
        m_popup = std::make_unique<CLookupPopup>(
            &m_organiser, BundledDictionary(), [this] { return m_own; }, &m_stars, times,
            [this] {
                return std::make_unique<CSpeechVoice>(
                    std::make_unique<RecordingSpeechEngine>(&m_said));
            });
        m_watcher = std::make_unique<CClipboardLookup>(QGuiApplication::clipboard(),
                                                       [this](const std::string& query) {
                                                           m_queries.push_back(query);
                                                           m_popup->ShowFor(query, QCursor::pos());
                                                       });
        m_watcher->SetWatching(true, false);
    }

    bool Shown(int timeoutMs = 5000) {
        return WaitFor([this] { return m_popup->isVisible(); }, timeoutMs);
    }
    bool Closed(int timeoutMs = 5000) {
        return WaitFor([this] { return !m_popup->isVisible(); }, timeoutMs);
    }
    // Copies text and waits until the popup shows it.
    void CopyAndShow(const QString& text) {
        SetClipboard(text);
        ASSERT_TRUE(WaitFor(
            [&] { return m_popup->isVisible() && FromAnsi(m_popup->Answer().query) == text; }));
    }
    std::string FirstEnglish() const {
        return std::string(m_popup->Answer().ranked.rows.at(0).entry->english);
    }
    QRect ScreenArea() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

    QDialog m_organiser;
    std::shared_ptr<CDictStore> m_own = std::make_shared<CDictStore>();
    KeptEntries m_stars;
    std::vector<QString> m_said;
    std::vector<std::string> m_queries;
    std::unique_ptr<CLookupPopup> m_popup;
    std::unique_ptr<CClipboardLookup> m_watcher;
};

TEST_F(CopyLookupTest, ACopiedTermOpensThePopupAtThePointerWithoutTakingTheFocus) {
    const Xterm xterm(
        {QStringLiteral("TECH PACK   Style 2417   Women's hooded parka   AW season"), QString(),
         QStringLiteral("Shell:        100% nylon oxford 228T, water repellent finish"),
         QStringLiteral("Interlining:  fusible woven interlining 45 g/m2, front and collar"),
         QStringLiteral("Lining:       190T polyester taffeta"),
         QStringLiteral("Padding:      120 g/m2 polyester wadding, body and sleeves"),
         QStringLiteral("Trims:        #5 nylon zipper, 60 cm, matching colour"),
         QStringLiteral("Labels:       main label at back neck, care label at left side seam"),
         QString(), QString(), QString(), QString(), QString(), QString(), QString()},
        QStringLiteral("+20+40"));
    FocusOn(xterm.Window());
    const QPoint pointer = xterm.Geometry().topLeft() + QPoint(250, 66);
    MovePointer(pointer.x(), pointer.y());
    CopyAndShow(QStringLiteral("interlining"));

    EXPECT_EQ(FirstEnglish(), "interlining");
    EXPECT_EQ(m_popup->Answer().ranked.rows.at(0).entry->chinese, ToAnsi(QStringLiteral("衬布")));
    EXPECT_LE(m_popup->Answer().ranked.rows.size(), 5u);
    EXPECT_EQ(m_popup->pos(), pointer + QPoint(kPopupPointerGap, kPopupPointerGap));
    EXPECT_TRUE(ScreenArea().contains(m_popup->frameGeometry()));
    EXPECT_EQ(FocusWindow(), xterm.Window());
    EXPECT_EQ(QGuiApplication::focusWindow(), nullptr);
    EXPECT_TRUE(m_popup->WatchesDismissal());
    SaveScreenshot(xterm.Geometry().united(m_popup->frameGeometry()).adjusted(-10, -10, 10, 10),
                   QStringLiteral("copy_lookup_interlining.png"));

    // A click on the popup itself leaves the focus where it was, and the popup open.
    const QPoint inside = m_popup->frameGeometry().bottomLeft() + QPoint(4, -4);
    MovePointer(inside.x(), inside.y());
    ClickButton(1);
    WaitFor([] { return false; }, 200);
    EXPECT_TRUE(m_popup->isVisible());
    EXPECT_EQ(FocusWindow(), xterm.Window());
}

TEST_F(CopyLookupTest, AChineseCopyNearTheScreensCornerStaysInsideIt) {
    const Xterm xterm({QString(), QString(), QString(), QString(), QString(), QString(), QString(),
                       QString(), QString(), QString(), QString(),
                       QStringLiteral("款号 2417  女式连帽派克大衣  秋冬季  辅料明细  第 2 页"),
                       QStringLiteral("面料：100% 尼龙牛津布 228T，防泼水整理"),
                       QStringLiteral("里料：190T 涤纶塔夫绸，前片与袖子"),
                       QStringLiteral("辅料：配色拉头，长 60 厘米，门襟用 5号尼龙拉链")},
                      QStringLiteral("-0-0"));
    FocusOn(xterm.Window());
    // On the last word of the last line, in the screen's corner.
    const QRect area = ScreenArea();
    const QRect lines = xterm.Geometry();
    MovePointer(lines.right() - 26, lines.bottom() - 30);
    CopyAndShow(QStringLiteral("拉链"));

    EXPECT_EQ(m_popup->Answer().ranked.rows.at(0).entry->chinese, ToAnsi(QStringLiteral("拉链")));
    const QRect popup = m_popup->frameGeometry();
    EXPECT_TRUE(area.contains(popup));
    EXPECT_FALSE(popup.contains(QCursor::pos()));
    EXPECT_EQ(popup.bottomRight(), QCursor::pos() - QPoint(kPopupPointerGap, kPopupPointerGap));
    EXPECT_EQ(FocusWindow(), xterm.Window());
    SaveScreenshot(xterm.Geometry().united(popup).adjusted(-10, -10, 10, 10),
                   QStringLiteral("copy_lookup_chinese.png"));
}

TEST_F(CopyLookupTest, EscapeClosesThePopupAndGivesTheKeyBack) {
    MovePointer(200, 200);
    CopyAndShow(QStringLiteral("collar"));
    PressKey(QStringLiteral("Escape"));
    EXPECT_TRUE(Closed(2000));
    EXPECT_FALSE(m_popup->WatchesDismissal());
}

TEST_F(CopyLookupTest, AClickElsewhereClosesThePopup) {
    MovePointer(200, 200);
    CopyAndShow(QStringLiteral("collar"));
    MovePointer(900, 700);
    ClickButton(1);
    EXPECT_TRUE(Closed(2000));
}

TEST_F(CopyLookupTest, ThePopupClosesWhenUntouchedOrWhenThePointerHasLeftIt) {
    MakePopup({600ms, 400ms});
    MovePointer(200, 200);
    QElapsedTimer shown;
    CopyAndShow(QStringLiteral("collar"));
    shown.start();
    EXPECT_TRUE(Closed(3000));
    EXPECT_GE(shown.elapsed(), 500);

    // While the pointer is on it the popup stays; once it has left, it closes.
    MovePointer(200, 200);
    CopyAndShow(QStringLiteral("pocket"));
    const QPoint inside = m_popup->frameGeometry().center();
    MovePointer(inside.x(), inside.y());
    WaitFor([] { return false; }, 1000);
    EXPECT_TRUE(m_popup->isVisible()) << "the untouched time does not count while it is used";
    MovePointer(900, 700);
    QElapsedTimer left;
    left.start();
    EXPECT_TRUE(Closed(3000));
    EXPECT_GE(left.elapsed(), 300);
}

TEST_F(CopyLookupTest, ACopiedTextWithMarkupShowsAsText) {
    MovePointer(200, 200);
    CopyAndShow(QStringLiteral("<b>lining</b>"));
    ASSERT_FALSE(m_popup->Answer().ranked.rows.empty());
    EXPECT_TRUE(m_popup->Answer().ranked.rows[0].ownTerm);
    QTextDocument shown;
    shown.setHtml(m_popup->Text().text());
    EXPECT_TRUE(shown.toPlainText().contains(QStringLiteral("<b>lining</b> tape")))
        << shown.toPlainText().toStdString();
    EXPECT_TRUE(shown.toPlainText().contains(QStringLiteral("<i>衬</i>")));
}

TEST_F(CopyLookupTest, WhatTheDictionaryDoesNotAnswerAndTheProgramsOwnCopiesOpenNothing) {
    MovePointer(200, 200);
    CopyAndShow(QStringLiteral("interlining"));
    // A copy the dictionary does not answer closes the popup of the one before.
    SetClipboard(QStringLiteral("qzxvwk"));
    EXPECT_TRUE(Closed(3000));

    for (const QString& text : {QStringLiteral("collar\ncuff"), QString(65, QLatin1Char('a')),
                                QStringLiteral("12345"), QStringLiteral("http://x.example/a")}) {
        SetClipboard(text);
        WaitFor([] { return false; }, 300);
        EXPECT_FALSE(m_popup->isVisible()) << text.toStdString();
    }
    m_queries.clear();
    QGuiApplication::clipboard()->setText(QStringLiteral("collar"));
    WaitFor([] { return false; }, 300);
    EXPECT_TRUE(m_queries.empty()) << "the program's own copy was looked up";
    EXPECT_FALSE(m_popup->isVisible());
    // The watcher still looks up what others copy.
    CopyAndShow(QStringLiteral("collar"));
}

TEST_F(CopyLookupTest, ASelectionIsLookedUpOnceItIsStill) {
    m_watcher->SetWatching(false, true);
    MovePointer(200, 200);
    SetClipboard(QStringLiteral("interlining"));
    WaitFor([] { return false; }, 400);
    EXPECT_TRUE(m_queries.empty()) << "a copy was looked up with only the selection watched";

    // A selection dragged over three words is looked up once, as it ends.
    QElapsedTimer still;
    for (const char* text : {"zip", "zip pul", "拉链"}) {
        SetClipboard(QString::fromUtf8(text), QStringLiteral("primary"));
        still.start();
        WaitFor([] { return false; }, 100);
    }
    ASSERT_TRUE(Shown());
    EXPECT_GE(still.elapsed(), CClipboardLookup::kSelectionStillMs - 20);
    ASSERT_EQ(m_queries.size(), 1u);
    EXPECT_EQ(FromAnsi(m_queries[0]), QStringLiteral("拉链"));
}

TEST_F(CopyLookupTest, TheSpeakerTheStarAndMoreWhileTheOrganiserIsModal) {
    MovePointer(200, 200);
    CopyAndShow(QStringLiteral("interlining"));
    QLabel& text = m_popup->Text();
    EXPECT_TRUE(text.text().contains(QStringLiteral("☆")));
    emit text.linkActivated(QStringLiteral("speak:0"));
    EXPECT_EQ(m_said, std::vector<QString>{QStringLiteral("interlining")});
    emit text.linkActivated(QStringLiteral("star:0"));
    EXPECT_EQ(m_stars.kept, std::set<std::string>{"interlining"});
    EXPECT_TRUE(text.text().contains(QStringLiteral("★")));
    emit text.linkActivated(QStringLiteral("speak:9"));
    EXPECT_EQ(m_said.size(), 1u);

    // A real click, which the organiser's modal loop does not keep from the popup.
    QSignalSpy more(m_popup.get(), &CLookupPopup::MoreRequested);
    const QPoint link = text.mapToGlobal(QPoint(text.width() - 16, text.height() - 8));
    MovePointer(link.x(), link.y());
    ClickButton(1);
    ASSERT_TRUE(WaitFor([&] { return more.count() == 1; }, 2000));
    EXPECT_EQ(more.at(0).at(0).toString(), QStringLiteral("interlining"));
    EXPECT_FALSE(m_popup->isVisible());
}

}  // namespace
