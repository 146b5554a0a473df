// Work that needs Qt (fonts, the PDF writer, the technical data's SQLite connection) runs on the
// thread of the application object, one piece after another, and the calling request waits for
// it: the rest of the service stays Qt-free and runs on the HTTP threads.
#pragma once

#include <QCoreApplication>
#include <QMetaObject>

#include <exception>
#include <optional>
#include <utility>

namespace tundrix::server {

template <typename F>
auto onQtThread(F work) -> decltype(work()) {
    using Result = decltype(work());
    std::exception_ptr failure;
    std::optional<Result> result;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [&] {
            try {
                result.emplace(work());
            } catch (...) {
                failure = std::current_exception();
            }
        },
        Qt::BlockingQueuedConnection);
    if (failure)
        std::rethrow_exception(failure);
    return std::move(*result);
}

}  // namespace tundrix::server
