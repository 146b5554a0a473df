// The HTTP side of the service: the routes of the API and the web page on a cpp-httplib server,
// its limits (body size, timeouts), JSON error answers and one log line per request.
#pragma once

#include <filesystem>

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

}  // namespace tundrix::server
