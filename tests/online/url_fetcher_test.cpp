// Fetching an address into a file against a real HTTP server on 127.0.0.1: bodies empty, large,
// broken off, unreachable and unwritable, and a second fetch into the same file.
#include "online/url_fetcher.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QNetworkAccessManager>
#include <atomic>
#include <filesystem>
#include <thread>

#include "loopback_server.h"
#include "temp_dir.h"
#include "ui_wait.h"

namespace {

QByteArray FileBytes(const std::filesystem::path& path) {
    QFile file(QString::fromStdString(path.string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteFile(const std::filesystem::path& path, const QByteArray& bytes) {
    QFile file(QString::fromStdString(path.string()));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class UrlFetcherTest : public ::testing::Test {
protected:
    // One transfer on a thread of its own, as the notice worker makes it, while this thread
    // serves the requests.
    int Fetch(const QString& address, const std::filesystem::path& file) {
        int result = -1;
        std::atomic<bool> done{false};
        std::thread worker([&] {
            QNetworkAccessManager internet;
            result = m_fetcher.FetchToFile(internet, address.toStdString(), file.string());
            done = true;
        });
        WaitFor([&] { return done.load(); }, 60000);
        worker.join();
        return result;
    }

    LoopbackServer m_server;
    CUrlFetcher m_fetcher;
    TempDir m_folder;
};

TEST_F(UrlFetcherTest, EmptyBodyGivesAnEmptyFileWithAFreshCopyRequested) {
    m_server.Serve("/notice.aspx", {});
    m_fetcher.bytesReceived = 99;
    EXPECT_EQ(Fetch(m_server.Address("/notice.aspx?Ver=1.0.0.5"), m_folder / "a"),
              CUrlFetcher::kComplete);
    EXPECT_EQ(FileBytes(m_folder / "a"), QByteArray());
    EXPECT_EQ(m_fetcher.bytesReceived, 0);
    ASSERT_EQ(m_server.requests.size(), 1u);
    const QByteArray& request = m_server.requests[0];
    EXPECT_TRUE(request.startsWith("GET /notice.aspx?Ver=1.0.0.5 HTTP/1.1")) << request.data();
    EXPECT_TRUE(
        request.contains("\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 5.5; Windows NT 4.0)\r\n"));
    EXPECT_TRUE(request.contains("\r\nCache-Control: no-cache"));
    EXPECT_TRUE(request.contains("\r\nPragma: no-cache"));
}

TEST_F(UrlFetcherTest, LargeBodyArrivesWholeAndInOrder) {
    QByteArray body;
    for (int n = 0; body.size() < 5 * 1024 * 1024; ++n) body += QByteArray::number(n) + ',';
    m_server.Serve("/big", body);
    EXPECT_EQ(Fetch(m_server.Address("/big"), m_folder / "big"), CUrlFetcher::kComplete);
    EXPECT_TRUE(FileBytes(m_folder / "big") == body);
    EXPECT_EQ(m_fetcher.bytesReceived, body.size());
}

TEST_F(UrlFetcherTest, ErrorPagesAreStoredLikeAnyBody) {
    EXPECT_EQ(Fetch(m_server.Address("/missing"), m_folder / "page"), CUrlFetcher::kComplete);
    EXPECT_EQ(FileBytes(m_folder / "page"), QByteArray());
}

TEST_F(UrlFetcherTest, BrokenTransferKeepsWhatArrived) {
    const QByteArray part(30000, 'x');
    m_server.ServeBroken("/broken", part, 100000);
    m_fetcher.bytesReceived = 7;
    EXPECT_EQ(Fetch(m_server.Address("/broken"), m_folder / "b"), CUrlFetcher::kReadFailed);
    EXPECT_EQ(FileBytes(m_folder / "b"), part);
    EXPECT_EQ(m_fetcher.bytesReceived, 7) << "a failed transfer leaves the count";
}

TEST_F(UrlFetcherTest, UnreachableAddressLeavesTheFileAlone) {
    WriteFile(m_folder / "kept", "old notice");
    EXPECT_EQ(Fetch(LoopbackServer::DeadAddress("/x"), m_folder / "kept"), CUrlFetcher::kNotOpened);
    EXPECT_EQ(Fetch("http://[bad/", m_folder / "kept"), CUrlFetcher::kNotOpened);
    EXPECT_EQ(FileBytes(m_folder / "kept"), "old notice");
}

TEST_F(UrlFetcherTest, FileThatCannotBeCreatedIsReported) {
    m_server.Serve("/n", "LUMA_AD");
    EXPECT_EQ(Fetch(m_server.Address("/n"), m_folder / "no such folder" / "f"),
              CUrlFetcher::kFileNotCreated);
    // A link planted at the file's path is not followed: its target keeps its content.
    WriteFile(m_folder / "target", "someone else's file");
    std::filesystem::create_symlink(m_folder / "target", m_folder / "link");
    EXPECT_EQ(Fetch(m_server.Address("/n"), m_folder / "link"), CUrlFetcher::kFileNotCreated);
    EXPECT_EQ(FileBytes(m_folder / "target"), "someone else's file");
}

TEST_F(UrlFetcherTest, SecondDownloadReplacesTheContent) {
    m_server.Serve("/one", "first answer, the longer one");
    m_server.Serve("/two", "second");
    std::atomic<bool> done{false};
    int results[3] = {};
    std::thread worker([&] {
        results[0] = m_fetcher.Download(m_server.Address("/one").toStdString(),
                                        (m_folder / "f").string(), 1);
        results[1] = m_fetcher.Download(m_server.Address("/two").toStdString(),
                                        (m_folder / "f").string(), 1);
        results[2] = m_fetcher.Download("http://127.0.0.1:1/", (m_folder / "g").string(), 0);
        done = true;
    });
    WaitFor([&] { return done.load(); }, 60000);
    worker.join();
    EXPECT_EQ(FileBytes(m_folder / "f"), "second");
    EXPECT_EQ(results[0], 1);
    EXPECT_EQ(results[1], 1);
    EXPECT_EQ(results[2], 1) << "no download asked for";
    EXPECT_FALSE(std::filesystem::exists(m_folder / "g"));
}

TEST_F(UrlFetcherTest, BodyOverTheLimitIsRefusedAndTheFileLeftAlone) {
    struct Case {
        const char* path;
        qint64 size;
        bool announced;  // with a Content-Length, or ended by the connection's end
        int result;
    };
    const Case cases[] = {
        {"/at", 65536, true, CUrlFetcher::kComplete},
        {"/over", 65537, true, CUrlFetcher::kTooLarge},
        {"/at-unsized", 65536, false, CUrlFetcher::kComplete},
        {"/over-unsized", 4 * 1024 * 1024, false, CUrlFetcher::kTooLarge},
    };
    m_fetcher.maxBodyBytes = 65536;
    for (const Case& c : cases) {
        const QByteArray body(c.size, 'n');
        if (c.announced) {
            m_server.Serve(c.path, body);
        } else {
            m_server.ServeUnsized(c.path, body);
        }
        const std::filesystem::path file = m_folder / (std::string(c.path + 1) + ".txt");
        WriteFile(file, "old notice");
        EXPECT_EQ(Fetch(m_server.Address(c.path), file), c.result) << c.path;
        EXPECT_TRUE(FileBytes(file) == (c.result == CUrlFetcher::kComplete ? body : "old notice"))
            << c.path;
    }
}

}  // namespace
