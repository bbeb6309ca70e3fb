#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace kt {

// A one-file HTTP server on 127.0.0.1 for tests that download: it answers
// every GET on its port with the status and body given, one connection at a
// time, until it is destroyed. Tests never reach outside the machine.
class LocalHttpServer {
public:
    LocalHttpServer(int status, std::string body);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    // "http://127.0.0.1:PORT/path"
    std::string Url(const std::string& path = "/airport-frequencies.csv") const;
    int Requests() const { return requests_; }

private:
    void Serve();

    int status_;
    std::string body_;
    int listener_ = -1;
    int wake_[2] = {-1, -1}; // written to stop the server
    int port_ = 0;
    std::atomic<int> requests_ = 0;
    std::thread thread_;
};

} // namespace kt
