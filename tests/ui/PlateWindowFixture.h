#pragma once
// A stand-in for the main window: every control the plate arrangements and
// the tab places name, created at its designed place (client-area twips).

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

#include "ui/DropDescriptionButton.h"
#include "ui/PlateArranger.h"

namespace vorrendal::test {

inline int Px(int twips) { return (twips + 7) / 15; }

class PlateWindowFixture : public QWidget {
 public:
  PlateWindowFixture() {
    setObjectName(QStringLiteral("frmMain"));
    resize(Px(6015), Px(6600));
    // Created in the designed tab order, as a designer would have it.
    Label(QStringLiteral("lblSerialNumber"), QStringLiteral("SERIAL NUMBER"), 600, 600);
    Box(QStringLiteral("txtSerialNumber"), 11, 600, 840, 1695, 390);
    Box(QStringLiteral("txtBody"), 3, 600, 1560, 615, 390);
    Box(QStringLiteral("txtColor"), 2, 1440, 1560, 735, 390);
    Box(QStringLiteral("txtTrim"), 3, 2400, 1560, 495, 375);
    Box(QStringLiteral("txtDate"), 3, 3120, 1560, 615, 390);
    Box(QStringLiteral("txtDSO"), 2, 5160, 2280, 495, 375);
    Box(QStringLiteral("txtTrans"), 1, 3960, 1560, 735, 390);
    Box(QStringLiteral("txtAxle"), 1, 4920, 1560, 495, 390);
    Button(QStringLiteral("cmdProcess"), 120, 2400);
    Button(QStringLiteral("cmdClearSerial"), 1200, 2400);
    auto* append = new QCheckBox(QStringLiteral("&Append"), this);
    append->setObjectName(QStringLiteral("chkAppend"));
    append->setEnabled(false);
    auto* report = new QPlainTextEdit(this);
    report->setObjectName(QStringLiteral("txtDescription"));
    report->setGeometry(Px(120), Px(2880), Px(5775), Px(3015));
    report->setReadOnly(true);
    report->setFocusPolicy(Qt::ClickFocus);
    for (const char* name : {"cmdCopyText", "cmdSaveAs", "cmdPrint"}) {
      Button(QString::fromLatin1(name), 120, 6000)->setFocusPolicy(Qt::ClickFocus);
    }
    Label(QStringLiteral("Label10"), QStringLiteral("Template &Style:"), 120, 75);
    auto* styles = new QComboBox(this);
    styles->setObjectName(QStringLiteral("cboTemplateStyle"));
    styles->addItems(PlateArranger::StyleNames());
    styles->setCurrentIndex(-1);
    styles->setGeometry(Px(1275), Px(30), Px(1335), Px(315));
    drop = new DropDescriptionButton(this);
    drop->move(Px(5685), Px(2400));
    Label(QStringLiteral("lblColor"), QStringLiteral("COLOR"), 1440, 1320);
    Label(QStringLiteral("lblTrim"), QStringLiteral("TRIM"), 2400, 1320);
    Label(QStringLiteral("lblDate"), QStringLiteral("DATE"), 3120, 1320);
    Label(QStringLiteral("lblDSO"), QStringLiteral("DSO"), 5160, 2040);
    Label(QStringLiteral("lblTrans"), QStringLiteral("TRANS."), 3960, 1320);
    Label(QStringLiteral("lblAxle"), QStringLiteral("AXLE"), 4920, 1320);
    Label(QStringLiteral("lblMadeInUSAShort"), QStringLiteral("MADE IN U.S.A."), 2520, 600)
        ->resize(Px(735), Px(450));
    Label(QStringLiteral("lblMadeInUSALong"), QStringLiteral("MADE IN U.S.A."), 0, 1920)->hide();
    Label(QStringLiteral("lblBody"), QStringLiteral("BODY"), 600, 1320);
    Label(QStringLiteral("lblType"), QStringLiteral("TYPE"), 2940, 970)->hide();
    auto* type = Box(QStringLiteral("txtType"), 0, 2400, 600, 1575, 385);
    type->setText(QStringLiteral("PASSENGER"));
    type->setEnabled(false);
    type->hide();
    Label(QStringLiteral("lblErrorOccurred"), QString(), 3360, 6000)->hide();
    Label(QStringLiteral("lblErrorNotice"), QString(), 4515, 6195)->hide();
    auto* large = Label(QStringLiteral("imgBrantelLarge"), QString(), 3360, 480);
    large->resize(Px(2070), Px(720));
    auto* small = Label(QStringLiteral("imgBrantelSmall"), QString(), 4680, 600);
    small->resize(Px(1050), Px(525));
    small->hide();
  }

  template <typename T = QWidget>
  T* Find(const QString& name) const {
    return findChild<T*>(name);
  }

  DropDescriptionButton* drop = nullptr;

 private:
  QLabel* Label(const QString& name, const QString& text, int left, int top) {
    auto* label = new QLabel(text, this);
    label->setObjectName(name);
    label->move(Px(left), Px(top));
    label->adjustSize();
    return label;
  }
  QLineEdit* Box(const QString& name, int maxLength, int left, int top, int width, int height) {
    auto* box = new QLineEdit(this);
    box->setObjectName(name);
    if (maxLength > 0) box->setMaxLength(maxLength);
    box->setGeometry(Px(left), Px(top), Px(width), Px(height));
    return box;
  }
  QPushButton* Button(const QString& name, int left, int top) {
    auto* button = new QPushButton(name, this);
    button->setObjectName(name);
    button->setGeometry(Px(left), Px(top), Px(975), Px(375));
    return button;
  }
};

}  // namespace vorrendal::test
