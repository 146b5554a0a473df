// HTTP requests written by hand on a loopback socket, for what a well-behaved client never
// sends: slow or truncated requests, huge bodies, made-up methods.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <string_view>
#include <thread>

namespace tundrix::servertest {

class RawConnection {
public:
    RawConnection(int port, int timeoutSeconds = 15) {
        fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
        timeval tv{timeoutSeconds, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        ::setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(std::uint16_t(port));
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        connected_ = ::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    }
    ~RawConnection() { ::close(fd_); }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool connected() const { return connected_; }
    bool send(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n <= 0)
                return false;
            bytes.remove_prefix(std::size_t(n));
        }
        return true;
    }
    // Byte by byte with a pause between them.
    bool trickle(std::string_view bytes, std::chrono::milliseconds pause) {
        for (const char c : bytes) {
            if (!send(std::string_view(&c, 1)))
                return false;
            std::this_thread::sleep_for(pause);
        }
        return true;
    }
    void endSending() { ::shutdown(fd_, SHUT_WR); }
    // The status of the first response (0 when none came before the connection ended or the
    // timeout), reading until the server closes or `limit` bytes came.
    int status(std::size_t limit = 1 << 16) {
        std::string got;
        char buf[4096];
        while (got.size() < limit) {
            const ssize_t n = ::recv(fd_, buf, sizeof buf, 0);
            if (n <= 0)
                break;
            got.append(buf, std::size_t(n));
            if (got.find("\r\n\r\n") != std::string::npos && got.size() >= 12)
                break;
        }
        if (got.rfind("HTTP/1.1 ", 0) != 0 || got.size() < 12)
            return 0;
        return std::stoi(got.substr(9, 3));
    }

private:
    int fd_ = -1;
    bool connected_ = false;
};

}  // namespace tundrix::servertest
