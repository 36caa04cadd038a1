// The "我的" tab on real files in a data folder of each test's own: its three lists used with the
// keyboard and the mouse, export through the file dialog, import with a bad line, the history's
// switch and its saves off the user's way, the own terms read again when another program changed
// them, and a damaged file reported once.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "../userdata/user_data_files.h"
#include "mywords/history_section.h"
#include "mywords/my_words_page.h"
#include "mywords/own_terms_section.h"
#include "mywords/user_lists.h"
#include "mywords/word_book_section.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "temp_dir.h"
#include "text/mbcs.h"
#include "userdata/file_lock.h"
#include "userdata/own_term_import.h"
#include "userdata/utc_time.h"

namespace {

std::string Gbk(std::string_view utf8) {
    return mbcs::FromUtf8(utf8).value();
}

std::chrono::sys_seconds Day(int day) {
    return std::chrono::sys_days{std::chrono::year{2024} / 5 / day} + std::chrono::hours{9};
}

class MyWordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
            m_boxes.push_back(request);
            return m_answer;
        });
        SetFileDialogAnswerer([this](const FileDialogRequest& request) {
            m_dialogs.push_back(request);
            return m_chosen;
        });
        Open();
    }
    void TearDown() override {
        m_page.reset();
        m_lists.reset();
        SetMessageBoxAnswerer({});
        SetFileDialogAnswerer({});
    }

    // The lists and the tab anew, over the files as they are.
    void Open() {
        m_page.reset();
        m_lists.reset();
        m_lists = std::make_unique<CUserLists>(
            Folder(), std::make_unique<QSettings>(QString::fromStdString(Path("settings.ini")),
                                                  QSettings::IniFormat));
        m_page = std::make_unique<CMyWordsPage>(*m_lists);
        m_page->resize(267, 330);
        m_page->show();
        // Keys go to the focus, which only the active window has.
        m_page->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_page.get()));
    }

    std::string Folder() const { return (m_dir / "data").string(); }
    std::string Path(const char* name) const { return (m_dir / name).string(); }
    QTreeWidget* List(CMyWordsPage::Section section) {
        m_page->SelectSection(section);
        return m_page->Sections()->currentWidget()->findChild<QTreeWidget*>();
    }
    // The texts of a list's rows, each row's columns parted by " | ".
    static std::vector<std::string> Rows(const QTreeWidget* list) {
        std::vector<std::string> rows;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList columns;
            for (int c = 0; c < list->columnCount(); ++c) columns << list->topLevelItem(i)->text(c);
            rows.push_back(columns.join(QStringLiteral(" | ")).toStdString());
        }
        return rows;
    }
    void ClickButton(const char* name) {
        auto* button = m_page->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    void SelectRow(QTreeWidget* list, int row) {
        list->setFocus();
        list->setCurrentItem(list->topLevelItem(row));
    }

    TempDir m_dir;
    std::unique_ptr<CUserLists> m_lists;
    std::unique_ptr<CMyWordsPage> m_page;
    std::vector<MessageBoxRequest> m_boxes;
    int m_answer = MessageBoxAnswer::Yes;
    std::vector<FileDialogRequest> m_dialogs;
    QString m_chosen;
};

TEST_F(MyWordsTest, WordBookNewestFirstSearchedAgainRemovedAndExported) {
    const CWordBook book(Folder());
    book.Add("collar", Gbk("领子"), Day(1));
    book.Add("cuff", Gbk("袖头"), Day(2));
    book.Add("yoke", Gbk("过肩（后背）"), Day(3));
    Open();
    QTreeWidget* list = List(CMyWordsPage::kWordBook);
    EXPECT_EQ(Rows(list),
              (std::vector<std::string>{"yoke | 过肩（后背） | 2024-05-03",
                                        "cuff | 袖头 | 2024-05-02", "collar | 领子 | 2024-05-01"}));

    // Enter and a double click search the row's English text again.
    QSignalSpy searches(m_page.get(), &CMyWordsPage::searchRequested);
    SelectRow(list, 1);
    QTest::keyClick(list, Qt::Key_Return);
    const QRect second = list->visualItemRect(list->topLevelItem(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
    ASSERT_EQ(searches.count(), 2);
    EXPECT_EQ(searches[0][0].toString(), QStringLiteral("cuff"));
    EXPECT_EQ(searches[1][0].toString(), QStringLiteral("collar"));

    // The Delete key removes the selected row from the file; the next row is selected.
    SelectRow(list, 1);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(Rows(list).size(), 2u);
    EXPECT_EQ(book.Read().records.size(), 2u);
    EXPECT_EQ(list->currentItem()->text(0), QStringLiteral("collar"));

    // Exports, by the name chosen: flash cards for .csv, TSV otherwise; at the documents folder.
    m_chosen = QString::fromStdString(Path("cards.csv"));
    ClickButton("wordBookExport");
    EXPECT_EQ(FileText(Path("cards.csv")), "yoke,过肩（后背）\r\ncollar,领子\r\n");
    m_chosen = QString::fromStdString(Path("book.tsv"));
    ClickButton("wordBookExport");
    EXPECT_EQ(FileText(Path("book.tsv")),
              "english\tchinese\tadded\nyoke\t过肩（后背）\t2024-05-03T09:00:00Z\n"
              "collar\t领子\t2024-05-01T09:00:00Z\n");
    ASSERT_EQ(m_dialogs.size(), 2u);
    EXPECT_TRUE(m_dialogs[0].save);
    EXPECT_TRUE(m_dialogs[0].path.startsWith(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/"));
    // A cancelled dialog writes nothing and says nothing.
    m_chosen.clear();
    ClickButton("wordBookExport");
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(MyWordsTest, HistoryRecordsOffTheUsersWayAndTheSwitchTurnsItOff) {
    // While another program holds the history's lock, a search is recorded all the same: the
    // page does not wait for the save, which follows once the lock is free.
    {
        std::filesystem::create_directories(Folder());
        const CFileLock held(Folder() + "/history.tsv.lock", std::chrono::milliseconds(0));
        m_lists->RecordSearch(Gbk("衬衫"), 12);
        m_lists->RecordSearch("collar", 40);
        EXPECT_TRUE(CHistory(Folder()).Read().records.empty());
    }
    m_lists->RecordSearch("zzz", 0);
    QTreeWidget* list = List(CMyWordsPage::kHistory);
    m_page->History().Reload();
    const std::vector<std::string> rows = Rows(list);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].substr(0, 6), "zzz | ");
    EXPECT_EQ(rows[0].substr(rows[0].size() - 4), " | 0");
    EXPECT_EQ(rows[2].substr(0, 9), "衬衫 | ");
    EXPECT_TRUE(m_boxes.empty());

    QCheckBox* historySwitch = m_page->HistorySwitch();
    EXPECT_TRUE(historySwitch->isChecked());
    QTest::mouseClick(historySwitch, Qt::LeftButton);
    EXPECT_FALSE(m_lists->HistoryEnabled());
    m_lists->RecordSearch("cuff", 3);
    m_lists->FlushHistory();
    EXPECT_EQ(CHistory(Folder()).Read().records.size(), 3u);
    // The switch is a setting: the next start keeps it.
    Open();
    EXPECT_FALSE(m_page->HistorySwitch()->isChecked());

    // Clearing asks first; No keeps the history.
    m_answer = MessageBoxAnswer::No;
    List(CMyWordsPage::kHistory);
    ClickButton("historyClear");
    EXPECT_EQ(CHistory(Folder()).Read().records.size(), 3u);
    m_answer = MessageBoxAnswer::Yes;
    ClickButton("historyClear");
    EXPECT_TRUE(CHistory(Folder()).Read().records.empty());
    EXPECT_EQ(m_page->History().List()->topLevelItemCount(), 0);
    EXPECT_EQ(m_boxes.size(), 2u);
}

TEST_F(MyWordsTest, OwnTermsThroughTheFormImportAndExport) {
    List(CMyWordsPage::kOwnTerms);
    auto* english = m_page->findChild<QLineEdit*>(QStringLiteral("ownEnglish"));
    auto* chinese = m_page->findChild<QLineEdit*>(QStringLiteral("ownChinese"));
    auto* note = m_page->findChild<QLineEdit*>(QStringLiteral("ownNote"));
    QTest::keyClicks(english, QStringLiteral(" body fabric "));
    chinese->setText(QStringLiteral("大身面料"));
    QTest::keyClicks(note, QStringLiteral("BF-12"));
    QTest::keyClick(note, Qt::Key_Return);
    english->setText(QStringLiteral("trim card"));
    chinese->setText(QStringLiteral("辅料卡"));
    note->clear();
    ClickButton("ownAdd");
    QTreeWidget* list = m_page->OwnTerms().List();
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"body fabric | 大身面料 | BF-12",
                                                    "trim card | 辅料卡 | "}));

    // Texts the list cannot hold are refused before anything is saved, with the reason.
    english->setText(QStringLiteral("emoji"));
    chinese->setText(QStringLiteral("\U0001F455"));
    ClickButton("ownAdd");
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, QStringLiteral("中文含有简体中文编码（GBK）不能表示的字符"));
    english->clear();
    ClickButton("ownAdd");
    EXPECT_EQ(m_boxes.back().text, QStringLiteral("英文为空"));
    EXPECT_EQ(COwnTerms(Folder()).Read().records.size(), 2u);

    // A selected row fills the form; 修改 changes it in its place; Delete removes it.
    SelectRow(list, 0);
    EXPECT_EQ(english->text(), QStringLiteral("body fabric"));
    EXPECT_EQ(note->text(), QStringLiteral("BF-12"));
    note->setText(QStringLiteral("BF-13"));
    ClickButton("ownEdit");
    EXPECT_EQ(COwnTerms(Folder()).Read().records[0].note, "BF-13");
    SelectRow(list, 1);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(Rows(list), (std::vector<std::string>{"body fabric | 大身面料 | BF-13"}));

    // An import with a bad line adds the good ones and names the bad one by its line.
    m_boxes.clear();
    WriteText(
        Path("glossary.csv"),
        "English,Chinese,Note\nlining,里布,\nonly english\nzip puller,拉头,\"slider, zips\"\n");
    m_chosen = QString::fromStdString(Path("glossary.csv"));
    ClickButton("ownImport");
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text,
              QStringLiteral("导入完成：新增 2 条，更新备注 0 条，已有 0 条，略过 1 行。\n"
                             "第 3 行：有 1 个字段，应为 2 或 3 个"));
    EXPECT_FALSE(m_dialogs.back().save);
    EXPECT_EQ(Rows(list).size(), 3u);

    // An export of the own terms imports back as it was.
    m_chosen = QString::fromStdString(Path("terms.csv"));
    ClickButton("ownExport");
    const CImportedTerms back = ReadImportFile(Path("terms.csv"));
    EXPECT_TRUE(back.skipped.empty());
    ASSERT_EQ(back.terms.size(), 3u);
    EXPECT_EQ(back.terms[2].note, "slider, zips");
}

TEST_F(MyWordsTest, OwnTermStoreIsReadAgainWhenAnotherProgramChangedTheFile) {
    const std::shared_ptr<const CDictStore> empty = m_lists->OwnTermStore();
    EXPECT_EQ(empty->size(), 0u);
    EXPECT_EQ(m_lists->OwnTermStore(), empty);
    // As gdict own add does, from another process.
    COwnTerms(Folder()).Add({"body fabric", Gbk("大身面料"), "BF-12"});
    const std::shared_ptr<const CDictStore> one = m_lists->OwnTermStore();
    ASSERT_EQ(one->size(), 1u);
    EXPECT_EQ(one->entries()[0].chinese, Gbk("大身面料（BF-12）"));
    EXPECT_EQ(m_lists->OwnTermStore(), one);
    // The store handed out stays whole while its holder keeps it.
    COwnTerms(Folder()).Remove("body fabric", std::nullopt);
    EXPECT_EQ(m_lists->OwnTermStore()->size(), 0u);
    EXPECT_EQ(one->entries()[0].english, "body fabric");
    EXPECT_TRUE(m_boxes.empty());
}

// A damaged list is reported once, in Chinese, naming its lines and the copy kept aside; the tab
// shows the lines that could be read.
TEST_F(MyWordsTest, ADamagedFileIsReportedOnceAndItsGoodLinesShown) {
    std::filesystem::create_directories(Folder());
    WriteText(m_dir / "data" / "word_book.tsv",
              "# garment-dictionary word book 1\ncollar\t领子\t2024-05-01T09:00:00Z\n"
              "broken\ncuff\t袖头\tyesterday\n");
    m_boxes.clear();
    Open();
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].type, MessageBoxType::IconWarning);
    EXPECT_TRUE(m_boxes[0].text.startsWith(
        QStringLiteral("生词本文件已损坏：第 3、4 行无法读取，已略过。")))
        << m_boxes[0].text.toStdString();
    EXPECT_TRUE(m_boxes[0].text.contains(QStringLiteral("原来的文件另存为：")));
    EXPECT_EQ(Rows(List(CMyWordsPage::kWordBook)),
              std::vector<std::string>{"collar | 领子 | 2024-05-01"});
    EXPECT_EQ(NamesStartingWith(m_dir / "data", "word_book.tsv.damaged-").size(), 1u);
    m_page->hide();
    m_page->show();
    EXPECT_TRUE(m_lists->IsInWordBook("collar", Gbk("领子")));
    EXPECT_EQ(m_boxes.size(), 1u);
}

}  // namespace
