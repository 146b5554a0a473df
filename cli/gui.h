// The GUI application object that fonts, pictures and the PDF writer need; created on first use,
// on the offscreen platform when there is no display (a build server, a remote shell).
#pragma once

class QGuiApplication;

namespace tundrix::cli {

QGuiApplication& guiApplication();

}  // namespace tundrix::cli
