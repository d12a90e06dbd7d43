// Starts the desktop program: shows the main window and runs its events.

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "StartupProbe.h"
#include "app/help/ChmHelp.h"
#include "data/ProgramPaths.h"
#include "frmMain.h"

namespace {

// Qt aborts when it finds no display; say instead what is missing and what
// works without one.
bool HasDisplay() {
#if defined(Q_OS_LINUX) || defined(Q_OS_FREEBSD)
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
#else
  return true;
#endif
}

}  // namespace

int main(int argc, char* argv[]) {
  if (!HasDisplay()) {
    // The decoder sits beside the program, in the build tree and when installed.
    const std::filesystem::path dir = vorrendal::ProgramDirectory();
    const std::string decoder =
        dir.empty() ? "vorrendal-decode" : (dir / "vorrendal-decode").string();
    std::fprintf(
        stderr,
        "vorrendal: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window\n"
        "cannot be shown. To decode a plate without a display, use the command-line decoder:\n"
        "  %s 7L55Z123456 76C H N4 14K 43 U 5\n",
        decoder.c_str());
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vorrendal"));
  QApplication::setApplicationVersion(QStringLiteral(VORRENDAL_VERSION));
  // Lets the desktop match the running window to its launcher and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.example.vorrendal"));

  vorrendal::ChmHelp help;  // VRNDL.chm beside the program
  vorrendal::frmMain window(help);
  vorrendal::StartupProbe::WatchIfAsked(window);
  window.show();
  return QApplication::exec();
}
