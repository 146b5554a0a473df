// The GUI application object that fonts, pictures and the PDF writer need, for a program without
// windows (the command line, the selection service): created on first use, on the offscreen
// platform when there is no display (a build server, a remote shell).
#pragma once

class QGuiApplication;

namespace tundrix {

// `programName` names the process in Qt's messages; it must outlive the application.
QGuiApplication& printApplication(const char* programName);

}  // namespace tundrix
