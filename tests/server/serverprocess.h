// tundrix-server started from a test as a service is started: its own process on a free
// loopback port, in the C locale; its log (standard error) is collected as it is written.
#pragma once

#include <httplib.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "cli/shellrun.h"

namespace tundrix::servertest {

class ServerProcess {
public:
    explicit ServerProcess(std::vector<std::string> args = {}) {
        args.insert(args.begin(), {"--listen", "127.0.0.1:0"});
        if (std::find(args.begin(), args.end(), "--data") == args.end())
            args.insert(args.end(), {"--data", TUNDRIX_SAMPLE_DATA});
        const std::string exe = std::string(TUNDRIX_BIN_DIR) + "/tundrix-server";
        int fds[2];
        if (::pipe(fds) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(fds[1], STDERR_FILENO);
            ::close(fds[0]);
            ::close(fds[1]);
            ::setenv("LC_ALL", "C", 1);
            std::vector<char*> argv{const_cast<char*>(exe.c_str())};
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(exe.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(fds[1]);
        reader_ = std::thread([this, fd = fds[0]] {
            char buf[4096];
            ssize_t n = 0;
            while ((n = ::read(fd, buf, sizeof buf)) > 0) {
                std::lock_guard lock(mutex_);
                log_.append(buf, std::size_t(n));
            }
            ::close(fd);
        });
        const std::string key = "listening on http://127.0.0.1:";
        for (int i = 0; i < 400 && port_ == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            const std::string l = log();
            if (const auto at = l.find(key); at != std::string::npos)
                port_ = std::stoi(l.substr(at + key.size()));
        }
        if (port_ == 0) {
            stop();
            throw std::runtime_error("tundrix-server did not start: " + log());
        }
    }
    ~ServerProcess() { stop(); }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    int port() const { return port_; }
    std::string log() {
        std::lock_guard lock(mutex_);
        return log_;
    }
    // The log once it holds `text`, or as it is after two seconds: the server writes a request's
    // line after its answer has gone out.
    std::string logWith(const std::string& text) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        std::string now = log();
        while (now.find(text) == std::string::npos && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            now = log();
        }
        return now;
    }
    httplib::Client client() const {
        httplib::Client c("127.0.0.1", port_);
        c.set_read_timeout(60, 0);
        c.set_url_encode(false);  // paths go as the tests write them, encoded or not
        return c;
    }
    // SIGTERM, then the exit status (-1 when it did not end by itself).
    int stop() {
        if (pid_ <= 0)
            return status_;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = 0;
        if (reader_.joinable())
            reader_.join();
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return status_;
    }

private:
    pid_t pid_ = 0;
    int port_ = 0;
    int status_ = -1;
    std::thread reader_;
    std::mutex mutex_;
    std::string log_;
};

// tundrix-cli on the sample catalogue in the C locale: its standard output.
inline std::string cli(const std::string& args) {
    return clitest::runShell(
               clitest::cliCommand("--data " + std::string(TUNDRIX_SAMPLE_DATA) + " " + args))
        .out;
}

}  // namespace tundrix::servertest
