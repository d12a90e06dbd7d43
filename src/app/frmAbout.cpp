#include "frmAbout.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QUrl>

#include "LinkLabel.h"
#include "ui/ScreenUnits.h"

namespace vorrendal {

frmAbout::frmAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QStringLiteral("About Vorrendal"));
  setModal(true);
  setAttribute(Qt::WA_DeleteOnClose, false);
  setFont(FontAtPoints(DialogFace(), 8.25));
  setFixedSize(TwipsToPixels(4935), TwipsToPixels(2415));

  auto* imgIcon = new QLabel(this);
  imgIcon->setObjectName(QStringLiteral("imgIcon"));
  PlaceTwips(imgIcon, 240, 240, 480, 480);
  const QIcon icon = parent != nullptr && !parent->windowIcon().isNull()
                         ? parent->windowIcon()
                         : style()->standardIcon(QStyle::SP_MessageBoxInformation);
  imgIcon->setPixmap(icon.pixmap(TwipsToPixels(480), TwipsToPixels(480)));

  auto* lblTitle = new QLabel(QStringLiteral("1959-1974 Vorrendal"), this);
  lblTitle->setObjectName(QStringLiteral("lblTitle"));
  PlaceTwips(lblTitle, 960, 240, 3855, 255);

  auto* lblVersion = new QLabel(QStringLiteral("Version " VORRENDAL_VERSION), this);
  lblVersion->setObjectName(QStringLiteral("lblVersion"));
  PlaceTwips(lblVersion, 960, 480, 3855, 255);

  auto* lblWebsiteLink = new LinkLabel(QString::fromLatin1(kWebAddress), this);
  lblWebsiteLink->setObjectName(QStringLiteral("lblWebsiteLink"));
  PlaceTwips(lblWebsiteLink, 960, 960, 3855, 255);

  auto* cmdOK = new QPushButton(QStringLiteral("&OK"), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  PlaceTwips(cmdOK, 3840, 1920, 975, 375);
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

  OpenWebAddress = [](const QString& address) { QDesktopServices::openUrl(QUrl(address)); };
  connect(lblWebsiteLink, &LinkLabel::clicked, this,
          [this, lblWebsiteLink] { OpenWebAddress(lblWebsiteLink->text()); });
}

void frmAbout::ShowModal(QWidget* owner) {
  frmAbout about(owner);
  about.exec();
}

}  // namespace vorrendal
