// The HTTP side of the service: the routes of the API and the web page on a cpp-httplib server,
// its limits (body size, timeouts), JSON error answers and one log line per request.
#pragma once

#include <filesystem>
#include <string>

namespace httplib {
class Server;
}

namespace tundrix::server {

class Api;

// Largest request body: a calculation file with a long basket is a few hundred kilobytes.
inline constexpr std::size_t kMaxBody = 1u << 20;

// Sets up `http` to answer with `api` and the page's files from `webDir`, `threads` requests at
// the same time.
void configure(httplib::Server& http, Api& api, const std::filesystem::path& webDir, int threads);

// Binds `http` to host:port (port 0: a free one, which it returns) with a queue long enough for
// a burst of new clients; -1 when it cannot.
int bind(httplib::Server& http, const std::string& host, int port);

}  // namespace tundrix::server
