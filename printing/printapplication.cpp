#include "printing/printapplication.h"

#include <QGuiApplication>

namespace tundrix {

QGuiApplication& printApplication(const char* programName) {
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return *app;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM") && !qEnvironmentVariableIsSet("DISPLAY") &&
        !qEnvironmentVariableIsSet("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(programName), nullptr};
    static QGuiApplication app(argc, argv);
    return app;
}

}  // namespace tundrix
