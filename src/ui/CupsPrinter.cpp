#include "ui/CupsPrinter.h"

#include <cups/cups.h>

#include <QFile>
#include <QLocale>
#include <QPageSize>
#include <QPrinterInfo>
#include <memory>

namespace vorrendal {
namespace {

// How long to wait for the print service to answer the connection.
constexpr int kConnectMilliseconds = 10000;
// CUPS measures paper in hundredths of a millimetre.
constexpr double kMillimetresPerUnit = 0.01;
// The edges assumed unprintable when the queue does not say.
constexpr double kFallbackMarginMillimetres = 6.35;

struct CloseHttp {
  void operator()(http_t* http) const { httpClose(http); }
};
struct FreeDest {
  void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
struct FreeDestInfo {
  void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
};
using Http = std::unique_ptr<http_t, CloseHttp>;
using Dest = std::unique_ptr<cups_dest_t, FreeDest>;
using DestInfo = std::unique_ptr<cups_dinfo_t, FreeDestInfo>;

// libcups asks for a password on the terminal when a queue wants one; a window
// program has no terminal to ask on, so the request is refused and reported.
const char* NoPassword(const char*, http_t*, const char*, const char*, void*) { return nullptr; }

QString LastError() { return QString::fromUtf8(cupsLastErrorString()); }

QString Unreachable() { return QStringLiteral("The print service cannot be reached."); }

bool ServiceDown() { return cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE; }

Http Connect(const QString& server, QString* error) {
  cupsSetPasswordCB2(NoPassword, nullptr);
  const QByteArray host = server.isEmpty() ? QByteArray(cupsServer()) : QFile::encodeName(server);
  Http http(httpConnect2(host.constData(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                         kConnectMilliseconds, nullptr));
  if (!http) *error = Unreachable();
  return http;
}

QString Option(const cups_dest_t& dest, const char* name) {
  return QString::fromUtf8(cupsGetOption(name, dest.num_options, dest.options));
}

// The queue's default paper and its unprintable edges. A size the queue gives
// is used only when it leaves room to print on.
QPageLayout DefaultPaper(http_t* http, cups_dest_t* dest) {
  const DestInfo info(cupsCopyDestInfo(http, dest));
  cups_size_t size{};
  if (info && cupsGetDestMediaDefault(http, dest, info.get(), CUPS_MEDIA_FLAGS_DEFAULT, &size) &&
      size.width > 0 && size.length > 0) {
    const QPageSize page(QSizeF(size.width, size.length) * kMillimetresPerUnit,
                         QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    QMarginsF margins(size.left, size.top, size.right, size.bottom);
    const bool roomLeft = margins.left() >= 0 && margins.top() >= 0 && margins.right() >= 0 &&
                          margins.bottom() >= 0 && margins.left() + margins.right() < size.width &&
                          margins.top() + margins.bottom() < size.length;
    if (!roomLeft) margins = QMarginsF();
    return QPageLayout(page, QPageLayout::Portrait, margins * kMillimetresPerUnit,
                       QPageLayout::Millimeter);
  }
  QPageSize page = QPrinterInfo::printerInfo(QString::fromUtf8(dest->name)).defaultPageSize();
  if (!page.isValid()) {
    page = QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
                         ? QPageSize::Letter
                         : QPageSize::A4);
  }
  const double edge = kFallbackMarginMillimetres;
  return QPageLayout(page, QPageLayout::Portrait, QMarginsF(edge, edge, edge, edge),
                     QPageLayout::Millimeter);
}

}  // namespace

CupsPrinter::CupsPrinter(QString server) : server_(std::move(server)) {}

bool CupsPrinter::DefaultQueue(PrintQueue* queue, QString* error) {
  const Http http = Connect(server_, error);
  if (!http) return false;
  const Dest dest(cupsGetNamedDest(http.get(), nullptr, nullptr));
  if (!dest) {
    *error = ServiceDown() ? Unreachable()
                           : QStringLiteral("No default printer is set up on this computer.");
    return false;
  }
  const QString name = QString::fromUtf8(dest->name);
  if (Option(*dest, "printer-is-accepting-jobs") == QStringLiteral("false")) {
    *error = QStringLiteral("The printer \"%1\" is not accepting jobs.").arg(name);
    return false;
  }
  queue->name = name;
  queue->paper = DefaultPaper(http.get(), dest.get());
  return true;
}

bool CupsPrinter::Submit(const PrintQueue& queue, const QString& pdfPath, const QString& title,
                         QString* error) {
  const Http http = Connect(server_, error);
  if (!http) return false;
  const int job = cupsPrintFile2(http.get(), queue.name.toUtf8().constData(),
                                 QFile::encodeName(pdfPath).constData(), title.toUtf8().constData(),
                                 0, nullptr);
  if (job <= 0 || cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE) {
    *error = ServiceDown() ? Unreachable()
                           : QStringLiteral("The printer \"%1\" did not take the job (%2).")
                                 .arg(queue.name, LastError());
    return false;
  }
  return true;
}

}  // namespace vorrendal
