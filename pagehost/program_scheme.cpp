#include "pagehost/program_scheme.h"

#include <QBuffer>
#include <QFile>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "files/file_name.h"
#include "files/program_directory.h"
#include "platform/ansi_text.h"

namespace {

constexpr char kScheme[] = "gdict";
constexpr char kHost[] = "app";
constexpr char kPagePath[] = "/page/";
constexpr char kPicturesPath[] = "/pictures/";

// What the program's pages may load and run. Scripts come only from the publisher's host over
// HTTPS (the page script), never from inside the page, from another host or over plain HTTP,
// where anyone on the way could write them; so an event handler or a script element in a notice
// does nothing, and no script evaluates strings. No frames, plug-ins, forms or base address;
// pictures, styles, media and requests from the web and from this origin.
constexpr char kContentSecurityPolicy[] =
    "default-src 'none'; script-src https://" GDICT_PUBLISHER_HOST
    "; "
    "style-src 'self' 'unsafe-inline' http: https:; img-src 'self' http: https: data:; "
    "media-src http: https:; font-src http: https: data:; connect-src http: https:; "
    "frame-src 'none'; child-src 'none'; object-src 'none'; base-uri 'none'; "
    "form-action 'none'";

// The pictures the pages show, by file name ending, and their types.
struct PictureType {
    const char* ending;
    const char* mimeType;
};
constexpr PictureType kPictureTypes[] = {{".gif", "image/gif"},   {".bmp", "image/bmp"},
                                         {".png", "image/png"},   {".jpg", "image/jpeg"},
                                         {".jpeg", "image/jpeg"}, {".ico", "image/x-icon"}};

// The page text with the policy as the first element of its head.
QByteArray PageWithPolicy(const QString& page) {
    const QString meta =
        QStringLiteral("<meta http-equiv=\"Content-Security-Policy\" content=\"%1\">")
            .arg(QLatin1String(kContentSecurityPolicy));
    QString text = page;
    const qsizetype head = text.indexOf(QLatin1String("<head"), 0, Qt::CaseInsensitive);
    const qsizetype headEnd = head < 0 ? -1 : text.indexOf(QLatin1Char('>'), head);
    text.insert(headEnd < 0 ? 0 : headEnd + 1, meta);
    return text.toUtf8();
}

void Reply(QWebEngineUrlRequestJob* job, const char* mimeType, const QByteArray& body) {
    auto* buffer = new QBuffer(job);
    buffer->setData(body);
    job->reply(mimeType, buffer);
}

void ServePage(QWebEngineUrlRequestJob* job, const QByteArray& id) {
    QFile resource(QStringLiteral(":/html/%1.html").arg(QLatin1String(id)));
    if (id.isEmpty() ||
        !std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        !resource.open(QIODevice::ReadOnly)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    const QByteArray stored = resource.readAll();
    Reply(job, "text/html;charset=utf-8",
          PageWithPolicy(FromAnsi(std::string_view(stored.constData(), stored.size()))));
}

// A picture directly in the program directory, named by its file name (bytes of a file name as
// platform/file_name.h holds it).
void ServePicture(QWebEngineUrlRequestJob* job, const QByteArray& name) {
    const QByteArray lower = name.toLower();
    const auto type = std::find_if(
        std::begin(kPictureTypes), std::end(kPictureTypes), [&lower](const PictureType& candidate) {
            return lower.size() > static_cast<qsizetype>(qstrlen(candidate.ending)) &&
                   lower.endsWith(candidate.ending);
        });
    const std::string file = name.toStdString();
    const std::string path = GetProgramDirectory() + "/" + file;
    std::error_code ignored;
    if (type == std::end(kPictureTypes) ||
        file.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos ||
        !std::filesystem::is_regular_file(PathOfName(path), ignored)) {
        job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        return;
    }
    std::ifstream in(PathOfName(path), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    if (!in.good() && !in.eof()) {
        job->fail(QWebEngineUrlRequestJob::RequestFailed);
        return;
    }
    Reply(job, type->mimeType, QByteArray::fromStdString(bytes));
}

// Serves the program's pages and pictures to the program's own pages (and to the browser's own
// loads, those the program asks for, which have no initiator) only, and only what a GET asks for.
// Only the program's pages have a profile with this handler, and they go nowhere else, so no page
// of the network can start a load here, not even by a redirect.
class CProgramSchemeHandler : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob* job) override {
        const QUrl initiator = job->initiator();
        if ((!initiator.isEmpty() && !IsProgramUrl(initiator)) || job->requestMethod() != "GET") {
            job->fail(QWebEngineUrlRequestJob::RequestDenied);
            return;
        }
        const QUrl url = job->requestUrl();
        const QByteArray path = url.path(QUrl::FullyEncoded).toLatin1();
        if (!IsProgramUrl(url)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        } else if (path.startsWith(kPagePath)) {
            ServePage(job, path.mid(sizeof kPagePath - 1));
        } else if (path.startsWith(kPicturesPath)) {
            ServePicture(job, QByteArray::fromPercentEncoding(path.mid(sizeof kPicturesPath - 1)));
        } else {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
        }
    }
};

}  // namespace

void RegisterProgramScheme() {
    QWebEngineUrlScheme scheme(kScheme);
    // An origin of its own (scheme and host), neither local (it cannot load files) nor secure
    // (the page may show the publisher's http pictures).
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    scheme.setFlags({});
    QWebEngineUrlScheme::registerScheme(scheme);
}

void ServeProgramScheme(QWebEngineProfile* profile) {
    if (profile->urlSchemeHandler(kScheme) != nullptr) return;
    profile->installUrlSchemeHandler(kScheme, new CProgramSchemeHandler(profile));
}

QUrl ProgramPageUrl(int htmlResourceId) {
    return QUrl(QStringLiteral("%1://%2%3%4")
                    .arg(QLatin1String(kScheme), QLatin1String(kHost), QLatin1String(kPagePath))
                    .arg(htmlResourceId));
}

bool IsProgramUrl(const QUrl& url) {
    return url.scheme() == QLatin1String(kScheme) && url.host() == QLatin1String(kHost) &&
           url.port() == -1 && url.userInfo().isEmpty();
}
