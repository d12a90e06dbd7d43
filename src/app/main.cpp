// Starts the desktop program: shows the main window and runs its events.

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "StartupProbe.h"
#include "app/help/ChmHelp.h"
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
    std::fputs(
        "vorrendal: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set), so the window\n"
        "cannot be shown. To decode a plate without a display, use the command-line decoder:\n"
        "  build/bin/vorrendal-decode 5A62C100001 54A M 76 12N 21 1 4\n",
        stderr);
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vorrendal"));
  QApplication::setApplicationVersion(QStringLiteral(VORRENDAL_VERSION));

  vorrendal::ChmHelp help;  // VRNDL.chm beside the program
  vorrendal::frmMain window(help);
  vorrendal::StartupProbe::WatchIfAsked(window);
  window.show();
  return QApplication::exec();
}
