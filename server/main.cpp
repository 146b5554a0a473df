// tundrix-server: the selection core as a JSON API and web page over HTTP, for the dealers and
// installers who select units in the browser. It keeps no state between requests, so several
// instances behind one reverse proxy serve one catalogue.
#include <QGuiApplication>
#include <QMetaObject>

#include <httplib.h>
#include <jemalloc/jemalloc.h>

#include <pthread.h>
#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "catalogue/datadir.h"
#include "cli/args.h"
#include "cli/locale.h"
#include "printing/printapplication.h"
#include "server/api.h"
#include "server/httpserver.h"

// jemalloc's settings, read when it starts: a thread of its own gives memory freed for a second
// back to the system, so that what the service holds follows its load instead of its peak.
const char* malloc_conf = "background_thread:true,dirty_decay_ms:1000,muzzy_decay_ms:0";

namespace fs = std::filesystem;
using namespace tundrix;

namespace {

constexpr const char* kUsage =
    "usage: tundrix-server [--data DIR] [--listen HOST:PORT] [--threads N] [--web DIR]\n"
    "  Serves the selection API under /api/v1/ and the web page at / over HTTP.\n"
    "  --data DIR        the catalogue (default: found as tundrix-cli finds it)\n"
    "  --listen HOST:PORT  address to listen on (default 127.0.0.1:8080, loopback only;\n"
    "                    port 0 picks a free port, which the first line on standard error names)\n"
    "  --threads N       requests served at the same time (default 32)\n"
    "  --web DIR         the page's files (default: web/ or share/tundrix/web beside bin/)\n"
    "  One line per request goes to standard error: method, path, status, milliseconds.\n"
    "  SIGTERM or SIGINT ends the service once the requests in progress are answered.\n";

fs::path executableDir(const char* argv0) {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return self.parent_path();
    return fs::absolute(argv0, ec).parent_path();
}

// The page's folder: the build tree links web/ beside bin/ to the sources (so the page may
// change without a rebuild), an installed service has share/tundrix/web.
fs::path defaultWebDir(const fs::path& exeDir) {
    std::error_code ec;
    for (const fs::path& dir :
         {exeDir.parent_path() / "web", exeDir.parent_path() / "share" / "tundrix" / "web"})
        if (fs::is_regular_file(dir / "index.html", ec))
            return dir;
    return exeDir.parent_path() / "share" / "tundrix" / "web";
}

struct Listen {
    std::string host = "127.0.0.1";
    int port = 8080;
};

Listen listenAddress(const std::string& text) {
    const auto colon = text.rfind(':');
    const auto port =
        colon == std::string::npos ? std::nullopt : cli::parseInt(text.substr(colon + 1));
    if (!port || *port < 0 || *port > 65535 || colon == 0)
        throw cli::UsageError("--listen: expected HOST:PORT, got " + text);
    std::string host = text.substr(0, colon);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    return {host, *port};
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (std::find(args.begin(), args.end(), "--help") != args.end() ||
        std::find(args.begin(), args.end(), "-h") != args.end()) {
        std::cout << kUsage;
        return 0;
    }
    fs::path dataDir, webDir;
    Listen listen;
    int threads = 32;
    try {
        const cli::Args a(args, {"data", "listen", "threads", "web"}, {});
        if (!a.positional().empty())
            throw cli::UsageError("unexpected argument " + a.positional().front());
        const fs::path exeDir = executableDir(argv[0]);
        dataDir = a.has("data") ? fs::path(*a.text("data")) : defaultDataDir(exeDir);
        webDir = a.has("web") ? fs::path(*a.text("web")) : defaultWebDir(exeDir);
        if (a.has("listen"))
            listen = listenAddress(*a.text("listen"));
        threads = a.integer("threads", 1, 1024, threads);
    } catch (const cli::UsageError& e) {
        std::cerr << "tundrix-server: " << e.what() << "\n" << kUsage;
        return 2;
    }

    // Signals are taken by one thread of their own (sigwait); every other thread, the HTTP
    // threads included, is started with them blocked. A client gone in mid-answer is an error
    // of that write, not a SIGPIPE that ends the service.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    // Qt serves the printed documents and the technical data only; a service has no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication& app = printApplication("tundrix-server");

    server::Api api(dataDir, int(std::max(2u, std::thread::hardware_concurrency())),
                    cli::localeDecimalSeparator());
    httplib::Server http;
    server::configure(http, api, webDir, threads);
    listen.port = server::bind(http, listen.host, listen.port);
    if (listen.port < 0) {
        std::cerr << "tundrix-server: cannot listen on " << listen.host << "\n";
        return 1;
    }
    std::fprintf(stderr, "tundrix-server: listening on http://%s:%d/ (data %s, page %s)\n",
                 listen.host.c_str(), listen.port, dataDir.c_str(), webDir.c_str());

    std::thread serving([&] {
        http.listen_after_bind();
        // Every request has been answered: the Qt thread may end.
        QMetaObject::invokeMethod(
            &app, [&] { app.quit(); }, Qt::QueuedConnection);
    });
    std::thread stopping([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        if (signal != 0)
            std::fprintf(stderr, "tundrix-server: signal %d, ending\n", signal);
        http.stop();
    });
    app.exec();
    serving.join();
    // Should the service have ended by itself, the signal thread is woken to end too.
    pthread_kill(stopping.native_handle(), SIGTERM);
    stopping.join();
    std::fprintf(stderr, "tundrix-server: ended\n");
    return 0;
}
