// CUrlFetcher: fetches one web address with a GET and stores the response body, byte for byte,
// in a file. It always asks the network for a fresh copy (no cache read or write) and blocks the
// calling thread until the transfer has ended. It may run on any thread. With a body limit, a
// larger body is refused and the file left as it was.
#pragma once

#include <cstdint>
#include <string>

class QNetworkAccessManager;

class CUrlFetcher {
public:
    // What FetchToFile did.
    enum Result {
        kComplete = 0,        // the whole body is in the file, which is closed
        kNotOpened = 1,       // the address gave no response; the file is untouched
        kFileNotCreated = 2,  // the file could not be created for writing
        kReadFailed = 3,      // the transfer broke off; the file holds what had arrived
        kTooLarge = 4,        // the body is larger than maxBodyBytes; the file is untouched
    };

    // The request header every fetch sends.
    static constexpr const char* kUserAgent = "Mozilla/4.0 (compatible; MSIE 5.5; Windows NT 4.0)";
    // How much of the body one read takes; the body is never held whole.
    static constexpr std::int64_t kReadSize = 16384;
    // A transfer that has not moved for this long counts as broken.
    static constexpr int kStallTimeoutMs = 30000;

    virtual ~CUrlFetcher() = default;

    // Fetches address (code page 936) into filePath (the file system's encoding). Returns 1 when
    // the network could be used, whatever became of the transfer, 0 when it could not; with
    // download 0 it returns 1 at once and does nothing.
    int Download(std::string address, std::string filePath, int download);

    // One transfer on internet; a Result. The file is created only once the address has
    // answered, and never through a symbolic link planted at its path. With a body limit the body
    // is held (it is small) until it has ended, and only then written to the file; one that is
    // announced or arrives larger than the limit ends the transfer at once, with a debug line.
    int FetchToFile(QNetworkAccessManager& internet, const std::string& address,
                    const std::string& filePath);

    // The most body bytes a transfer may bring; 0 for no limit.
    std::int64_t maxBodyBytes = 0;

    // Body bytes written by the last transfer that ran to its end; a failed one leaves it.
    std::int32_t bytesReceived = 0;
};
