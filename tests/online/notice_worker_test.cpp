// The notice worker against a real HTTP server on 127.0.0.1: which answers become the notice,
// what the markers do, the cached answer when the server is down, and the cache file's safety.
#include "online/notice_worker.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLoggingCategory>
#include <atomic>
#include <filesystem>
#include <future>
#include <mutex>
#include <new>
#include <stdexcept>
#include <thread>

#include "loopback_server.h"
#include "platform/message_box.h"
#include "platform/string_resources.h"
#include "settings/notice_state.h"
#include "settings/startup_settings.h"
#include "temp_dir.h"
#include "ui_wait.h"

namespace {

class NoticeWorkerTest : public ::testing::Test {
protected:
    void SetUp() override {
        showNoticeInPage.store(0);
        SetMessageBoxAnswerer([this](const MessageBoxRequest& request) {
            m_boxes.push_back(request.text);
            return MessageBoxAnswer::Ok;
        });
    }
    void TearDown() override {
        SetMessageBoxAnswerer({});
        showNoticeInPage.store(0);
    }

    // One pass on a worker thread, this thread serving the requests and the message box.
    void Pass(const QString& address) {
        std::atomic<bool> done{false};
        std::thread worker([&] {
            RunNoticePass(m_settings, address.toStdString(), m_response.string());
            done = true;
        });
        WaitFor([&] { return done.load(); }, 60000);
        worker.join();
    }
    // A pass whose server answers body.
    void PassWithAnswer(const QByteArray& body) {
        m_server.Serve("/notice.aspx", body);
        Pass(m_server.Address("/notice.aspx?Ver=1.0.0.5"));
    }
    void PassWithoutServer() { Pass(LoopbackServer::DeadAddress("/notice.aspx")); }

    LoopbackServer m_server;
    CStartupSettings m_settings;
    TempDir m_folder;
    std::filesystem::path m_response = m_folder / "Ad1234.exe";
    std::vector<QString> m_boxes;
};

TEST_F(NoticeWorkerTest, NoServerAndNoFileLeaveEverythingEmpty) {
    PassWithoutServer();
    EXPECT_EQ(m_settings.GetNoticeText(), "");
    EXPECT_EQ(showNoticeInPage.load(), 0);
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_FALSE(std::filesystem::exists(m_response));
}

TEST_F(NoticeWorkerTest, UpgradeWithoutTheNoticeMarkerDoesNothing) {
    PassWithAnswer("LUMA_UPGRADE");
    EXPECT_EQ(m_settings.GetNoticeText(), "");
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(NoticeWorkerTest, UpgradeNoticeAsksNowAndAgainFromTheCacheWhenTheServerIsDown) {
    PassWithAnswer("LUMA_AD LUMA_UPGRADE <b>1.1</b>");
    EXPECT_EQ(m_settings.GetNoticeText(), "LUMA_AD LUMA_UPGRADE <b>1.1</b>");
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0], QStringLiteral("请到Lumatex升级最新版本！"));

    // The next start, with the server down.
    m_settings.SetNoticeText({});
    PassWithoutServer();
    EXPECT_EQ(m_settings.GetNoticeText(), "LUMA_AD LUMA_UPGRADE <b>1.1</b>");
    EXPECT_EQ(m_boxes.size(), 2u);
    EXPECT_EQ(showNoticeInPage.load(), 0);
}

TEST_F(NoticeWorkerTest, LinesAreJoinedWithoutTheirEnds) {
    PassWithAnswer("LUMA_AD<b>new</b>\r\nsecond line\nthird\rline\n");
    EXPECT_EQ(m_settings.GetNoticeText(), "LUMA_AD<b>new</b>second linethird\rline");
    EXPECT_EQ(ReadNoticeFile((m_folder / "missing").string()), "");
}

TEST_F(NoticeWorkerTest, PowerAdAsksForTheNoticeAfterEveryResult) {
    PassWithAnswer("LUMA_AD LUMA_POWERAD sale");
    EXPECT_EQ(showNoticeInPage.load(), 1);
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(NoticeWorkerTest, AnswerWithoutTheMarkerKeepsTheCachedNotice) {
    QFile cached(QString::fromStdString(m_response.string()));
    ASSERT_TRUE(cached.open(QIODevice::WriteOnly));
    cached.write("LUMA_AD last week's notice");
    cached.close();
    PassWithAnswer("<html>server error</html>");
    EXPECT_EQ(m_settings.GetNoticeText(), "LUMA_AD last week's notice");
    EXPECT_EQ(ReadNoticeFile(m_response.string()), "<html>server error</html>");
}

TEST_F(NoticeWorkerTest, MarkersStartOnWholeCharacters) {
    // "\xB0LUMA_AD": the lead byte B0 takes the "L" as its trail byte, so no marker starts there.
    PassWithAnswer("\xB0LUMA_AD");
    EXPECT_EQ(m_settings.GetNoticeText(), "");
}

TEST_F(NoticeWorkerTest, CacheFileIsNeverReachedThroughALink) {
    const std::filesystem::path planted = m_folder / "planted";
    QFile victim(QString::fromStdString(planted.string()));
    ASSERT_TRUE(victim.open(QIODevice::WriteOnly));
    victim.write("LUMA_AD LUMA_UPGRADE someone else's file");
    victim.close();
    std::filesystem::create_symlink(planted, m_response);

    PassWithAnswer("LUMA_AD from the server");
    EXPECT_EQ(m_settings.GetNoticeText(), "") << "read through the link";
    EXPECT_TRUE(m_boxes.empty());
    ASSERT_TRUE(victim.open(QIODevice::ReadOnly));
    EXPECT_EQ(victim.readAll(), "LUMA_AD LUMA_UPGRADE someone else's file") << "written through";
}

// The program's debug lines written while it lives, from any thread.
class WorkerDebugLines {
public:
    WorkerDebugLines() {
        QLoggingCategory::setFilterRules(QStringLiteral("garmentdict.debug.debug=true"));
        s_previous = qInstallMessageHandler(&Capture);
    }
    ~WorkerDebugLines() {
        qInstallMessageHandler(s_previous);
        QLoggingCategory::setFilterRules(QStringLiteral("garmentdict.debug.debug=false"));
    }
    std::vector<QString> Lines() const {
        const std::lock_guard lock(s_lock);
        return s_lines;
    }

private:
    static void Capture(QtMsgType, const QMessageLogContext& context, const QString& text) {
        if (context.category == nullptr ||
            std::string_view(context.category) != "garmentdict.debug") {
            return;
        }
        const std::lock_guard lock(s_lock);
        s_lines.push_back(text);
    }
    static inline std::mutex s_lock;
    static inline std::vector<QString> s_lines;
    static inline QtMessageHandler s_previous = nullptr;
};

TEST(NoticeWorkerThreadTest, AnExceptionEndsThePassNotTheProgram) {
    const WorkerDebugLines debug;
    const std::function<void()> failures[] = {
        [] { throw std::runtime_error("iconv cannot convert from UTF-8 to CP936"); },
        [] { throw std::bad_alloc(); },
        [] { throw std::future_error(std::future_errc::broken_promise); },
        [] { throw 936; },
    };
    for (const std::function<void()>& failure : failures) {
        LaunchNoticeWorker(failure);
        ASSERT_TRUE(WaitFor([] { return !NoticeWorkerRunning(); }));
    }
    const std::vector<QString> lines = debug.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Notice worker stopped: iconv cannot convert from UTF-8 to CP936\r\n");
    EXPECT_TRUE(lines[1].startsWith("Notice worker stopped: ")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("Notice worker stopped: ")) << lines[2].toStdString();
    EXPECT_EQ(lines[3], "Notice worker stopped\r\n");
}

TEST(StartupWorkerTest, WorkerStartsOnceAfterEveryOtherSetting) {
    CStartupSettings settings;
    int started = 0;
    BuildStartupSettings(settings, LoadStringTable(), "/opt/gd", [&](CStartupSettings& filled) {
        ++started;
        EXPECT_EQ(&filled, &settings);
        EXPECT_FALSE(filled.titleText.empty());
        EXPECT_FALSE(filled.splashNotice.empty());
    });
    EXPECT_EQ(started, 1);
}

TEST_F(NoticeWorkerTest, NoticeOverTheLimitIsNeitherTakenNorReplayed) {
    const WorkerDebugLines debug;
    QFile cached(QString::fromStdString(m_response.string()));
    ASSERT_TRUE(cached.open(QIODevice::WriteOnly));
    cached.write("LUMA_AD last week's notice");
    cached.close();
    // A larger answer is refused: the cached notice stays, in the file and on the page.
    PassWithAnswer("LUMA_AD " + QByteArray(kNoticeMaxBytes, 'x'));
    EXPECT_EQ(m_settings.GetNoticeText(), "LUMA_AD last week's notice");
    EXPECT_EQ(ReadNoticeFile(m_response.string()), "LUMA_AD last week's notice");
    // A cached file larger than a notice may be (left by an older version) is not read.
    ASSERT_TRUE(cached.open(QIODevice::WriteOnly));
    cached.write("LUMA_AD " + QByteArray(kNoticeMaxBytes, 'x'));
    cached.close();
    m_settings.SetNoticeText({});
    PassWithoutServer();
    EXPECT_EQ(m_settings.GetNoticeText(), "");
    const std::vector<QString> lines = debug.Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(lines[0].startsWith("Download refused: the answer of http://127.0.0.1:"))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(" is larger than 65536 bytes\r\n")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("Cached notice not read: ")) << lines[1].toStdString();
    EXPECT_EQ(lines[1], lines[2]) << "read before and after the fetch that failed";
}

}  // namespace
