#include "server/httpserver.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <sys/socket.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string_view>

#include "server/api.h"
#include "server/files.h"

namespace tundrix::server {

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// When the request on this thread began (requests of a connection run one after another on one
// thread); none for a request refused before routing.
thread_local std::optional<Clock::time_point> requestStart;

constexpr std::string_view kApi = "/api/v1/";

Reply errorReply(int status, const std::string& message) {
    return {status, "application/json", jsonText(Json{{"error", message}}) + "\n", {}};
}

std::string defaultMessage(int status) {
    switch (status) {
        case 400:
            return "неверный запрос";
        case 404:
            return "не найдено";
        case 405:
            return "метод не поддерживается";
        case 408:
            return "запрос не пришел вовремя";
        case 411:
            return "тело запроса без длины (Content-Length) не принимается";
        case 413:
            return "тело запроса больше " + std::to_string(kMaxBody) + " байт";
        case 414:
            return "слишком длинный адрес";
        default:
            return "ошибка " + std::to_string(status);
    }
}

struct Route {
    std::string_view path;  // below /api/v1/; a trailing "/" takes everything after it
    std::string_view method;
};

constexpr Route kRoutes[] = {
    {"refrigerants", "GET"},
    {"kinds", "GET"},
    {"select", "POST"},
    {"report", "POST"},
    {"list", "POST"},
    {"offer", "POST"},
    {"calculation/check", "POST"},
    {"units/", "GET"},
    {"files/", "GET"},
};

Reply api(Api& api, const httplib::Request& req) {
    const std::string rest = req.path.substr(kApi.size());
    const Route* route = nullptr;
    for (const Route& r : kRoutes)
        if (r.path.back() == '/' ? rest.rfind(r.path, 0) == 0 && rest.size() > r.path.size()
                                 : rest == r.path)
            route = &r;
    if (!route)
        throw ApiError(404, "нет такого адреса: " + req.path);
    const bool head = req.method == "HEAD" && route->method == "GET";
    if (req.method != route->method && !head)
        throw ApiError(405, std::string(route->method));
    const std::string_view name = route->path;
    if (name == "refrigerants")
        return api.refrigerants();
    if (name == "kinds")
        return api.kinds();
    if (name == "select")
        return api.select(req.body);
    if (name == "report")
        return api.report(req.body, req.params);
    if (name == "list")
        return api.list(req.body);
    if (name == "offer")
        return api.offer(req.body, req.params);
    if (name == "calculation/check")
        return api.check(req.body);
    if (name == "files/")
        return api.file(rest.substr(name.size()));
    // units/{kind}/{refrigerant}/{name}: a name may hold "/" itself.
    const std::string unit = rest.substr(name.size());
    const auto a = unit.find('/');
    const auto b = a == std::string::npos ? a : unit.find('/', a + 1);
    if (b == std::string::npos || b + 1 >= unit.size())
        throw ApiError(404, "ожидается units/{вид}/{хладагент}/{агрегат}");
    return api.unit(unit.substr(0, a), unit.substr(a + 1, b - a - 1), unit.substr(b + 1));
}

Reply page(const fs::path& webDir, const httplib::Request& req) {
    if (req.method != "GET" && req.method != "HEAD")
        throw ApiError(405, "GET");
    const std::string relative = req.path == "/" ? "index.html" : req.path.substr(1);
    const auto file = fileInside(webDir, relative);
    if (!file)
        throw ApiError(404, "нет такого адреса: " + req.path);
    const auto size = fs::file_size(*file);
    std::string body(size, '\0');
    std::FILE* f = std::fopen(file->c_str(), "rb");
    const bool read = f && std::fread(body.data(), 1, size, f) == size;
    if (f)
        std::fclose(f);
    if (!read)
        throw ApiError(404, "файл не читается: " + req.path);
    return {200, contentType(*file), std::move(body), {}};
}

void answer(Api& a, const fs::path& webDir, const httplib::Request& req, httplib::Response& res) {
    Reply reply;
    try {
        if (req.path.rfind(kApi, 0) == 0)
            reply = api(a, req);
        else if (req.path.rfind("/api/", 0) == 0)
            throw ApiError(404, "нет такого адреса: " + req.path);
        else
            reply = page(webDir, req);
    } catch (const ApiError& e) {
        if (e.status == 405)
            res.set_header("Allow", e.what() == std::string("GET") ? "GET, HEAD" : e.what());
        reply = errorReply(e.status, e.status == 405 ? defaultMessage(405) : e.what());
    } catch (const std::exception& e) {
        reply = errorReply(500, e.what());
    }
    res.status = reply.status;
    if (!reply.fileName.empty())
        res.set_header("Content-Disposition", "attachment; filename=\"" + reply.fileName + "\"");
    res.set_header("Cache-Control", "no-cache");
    res.set_header("Content-Type", reply.contentType);
    res.body = std::move(reply.body);
}

std::string printable(std::string_view s) {
    std::string out;
    for (const char c : s)
        out += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? '?' : c;
    return out;
}

}  // namespace

void configure(httplib::Server& http, Api& a, const fs::path& webDir, int threads) {
    http.new_task_queue = [threads] { return new httplib::ThreadPool(std::size_t(threads)); };
    http.set_payload_max_length(kMaxBody);
    http.set_read_timeout(5, 0);
    http.set_write_timeout(5, 0);
    http.set_keep_alive_timeout(5);
    http.set_keep_alive_max_count(1000);
    http.set_tcp_nodelay(true);

    // A body announced too large is refused before the client sends it.
    http.set_expect_100_continue_handler([](const httplib::Request& req, httplib::Response& res) {
        if (req.get_header_value<std::uint64_t>("Content-Length") <= kMaxBody)
            return 100;
        res.status = 413;
        return 413;
    });
    http.set_pre_routing_handler([](const httplib::Request& req, httplib::Response& res) {
        requestStart = Clock::now();
        // A body of unknown length would be read to its end whatever its size.
        const bool body = req.method == "POST" || req.method == "PUT" || req.method == "PATCH" ||
                          req.method == "DELETE";
        if (body && !req.has_header("Content-Length")) {
            res.status = 411;
            res.set_header("Connection", "close");
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    http.set_error_handler([](const httplib::Request&, httplib::Response& res) {
        if (res.body.empty())
            res.set_content(errorReply(res.status, defaultMessage(res.status)).body,
                            "application/json");
    });
    http.set_logger([](const httplib::Request& req, const httplib::Response& res) {
        const double ms =
            requestStart
                ? std::chrono::duration<double, std::milli>(Clock::now() - *requestStart).count()
                : 0.0;
        requestStart.reset();
        std::fprintf(stderr, "%s %s %d %.1f ms\n", printable(req.method).c_str(),
                     printable(req.path).c_str(), res.status, ms);
    });
    const auto handler = [&a, webDir](const httplib::Request& req, httplib::Response& res) {
        answer(a, webDir, req, res);
    };
    http.Get(".*", handler);
    http.Post(".*", handler);
    http.Put(".*", handler);
    http.Patch(".*", handler);
    http.Delete(".*", handler);
    http.Options(".*", handler);
}

int bind(httplib::Server& http, const std::string& host, int port) {
    // The library listens with a queue of 5 connections not yet accepted: the kernel dropped the
    // connection attempts of a burst of new clients beyond that, and they came again only a
    // second later. The queue is lengthened once the socket listens (the kernel caps it at
    // net.core.somaxconn).
    socket_t listening = -1;
    http.set_socket_options([&listening](socket_t s) {
        httplib::default_socket_options(s);
        listening = s;
    });
    const int bound =
        port == 0 ? http.bind_to_any_port(host) : (http.bind_to_port(host, port) ? port : -1);
    http.set_socket_options(httplib::default_socket_options);
    if (bound >= 0 && listening >= 0)
        ::listen(listening, SOMAXCONN);
    return bound;
}

}  // namespace tundrix::server
