#include "ui/Plate.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <cstdlib>

#include "ui/BrantelArt.h"
#include "ui/ScreenUnits.h"
#include "ui/TabPlaces.h"

namespace vorrendal {
namespace {

constexpr int kBoxHeight = 375;

// Where a field stands in one style: caption text and place, box place and
// width, tab place. No caption: the field is hidden in that style.
struct FieldPlace {
  const char* caption;
  int captionLeft, captionTop, boxLeft, boxTop, boxWidth, tabPlace;
};

// A plate field: its caption and box, the longest code the box takes, the
// box's tooltip, and its place in each style, 1959-1961 to 1973-1974.
struct Field {
  const char *captionName, *boxName;
  int maxLength;
  const char* tooltip;
  std::array<FieldPlace, Plate::kStyleCount> places;
};

constexpr FieldPlace kHiddenField{nullptr, 0, 0, 0, 0, 0, 0};

// The serial boxes of 1967-1969 and 1973-1974 are 1680 twips wide, not the
// 1575 of the plate drawings: the least that shows a serial such as
// 7W55W123456 whole in bold Arial 11.25 point. The 1967-1969 caption beside
// the box moves right by as much (2025, not 1920), or it would touch the box.
constexpr std::array<Field, kPlateFieldCount> kFields{{
    {"lblSerialNumber",
     "txtSerialNumber",
     11,
     "Enter the serial (warranty) number here",
     {{{"SERIAL NUMBER", 600, 600, 600, 840, 1695, 1},
       {"SERIAL NUMBER", 240, 1320, 240, 1560, 1695, 8},
       {"VEHICLE WARRANTY NUMBER", 360, 1320, 240, 1560, 3135, 8},
       {"WARRANTY NUMBER", 2025, 800, 240, 720, 1680, 1},
       {"VEH. IDENT. NO.", 1200, 480, 1200, 720, 1815, 1},
       {"VEH. IDENT. NO.", 480, 970, 480, 600, 1680, 1}}}},
    {"lblBody",
     "txtBody",
     3,
     "Enter the body code here",
     {{{"BODY", 600, 1320, 600, 1560, 615, 2},
       {"BODY", 240, 600, 240, 840, 615, 1},
       {"BODY", 240, 600, 240, 840, 615, 1},
       {"BODY", 240, 1700, 240, 1320, 615, 2},
       {"BODY", 3240, 480, 3120, 720, 735, 2},
       {"BODY", 480, 1320, 480, 1560, 615, 2}}}},
    {"lblColor",
     "txtColor",
     2,
     "Enter the color code here",
     {{{"COLOR", 1440, 1320, 1440, 1560, 735, 3},
       {"COLOR", 1080, 600, 1080, 840, 735, 2},
       {"COLOR", 1080, 600, 1080, 840, 735, 2},
       {"COLOR", 1080, 1700, 1080, 1320, 735, 3},
       {"COL.", 4080, 480, 3960, 720, 615, 3},
       {"COLOR", 1440, 1320, 1440, 1560, 615, 3}}}},
    {"lblTrim",
     "txtTrim",
     3,
     "Enter the trim code here",
     {{{"TRIM", 2400, 1320, 2400, 1560, 495, 4},
       {"TRIM", 2040, 600, 2040, 840, 495, 3},
       {"TRIM", 2040, 600, 2040, 840, 495, 3},
       {"TRIM", 2040, 1700, 2040, 1320, 495, 4},
       {"TRIM", 1320, 1200, 1200, 1440, 735, 4},
       {"TRIM", 2400, 1320, 2400, 1560, 495, 4}}}},
    {"lblDate",
     "txtDate",
     3,
     "Enter the date code here",
     {{{"DATE", 3120, 1320, 3120, 1560, 615, 5},
       {"DATE", 2760, 600, 2760, 840, 615, 4},
       {"DATE", 2760, 600, 2760, 840, 615, 4},
       {"DATE", 2760, 1700, 2760, 1320, 615, 5},
       kHiddenField,
       kHiddenField}}},
    {"lblDSO",
     "txtDSO",
     2,
     "Enter the DSO code here",
     {{kHiddenField,
       {"D.S.O.", 3600, 600, 3600, 840, 495, 5},
       {"DSO", 3600, 600, 3600, 840, 495, 5},
       {"D.S.O.", 3600, 1700, 3600, 1320, 495, 6},
       {"DSO", 3840, 1200, 3480, 1440, 1095, 8},
       {"DSO", 5040, 1320, 5040, 1560, 495, 8}}}},
    {"lblTrans",
     "txtTrans",
     1,
     "Enter the transmission code here",
     {{{"TRANS.", 3960, 1320, 3960, 1560, 735, 7},
       {"TRANS.", 5040, 600, 5040, 840, 735, 7},
       {"TRANS", 5040, 600, 5040, 840, 735, 7},
       {"TRANS.", 5040, 1700, 5040, 1320, 735, 8},
       {"TRNS.", 2760, 1200, 2760, 1440, 615, 7},
       {"TRANS.", 3240, 1320, 3240, 1560, 615, 6}}}},
    {"lblAxle",
     "txtAxle",
     1,
     "Enter the axle code here",
     {{{"AXLE", 4920, 1320, 4920, 1560, 495, 8},
       {"AXLE", 4320, 600, 4320, 840, 495, 6},
       {"AXLE", 4320, 600, 4320, 840, 495, 6},
       {"AXLE", 4320, 1700, 4320, 1320, 495, 7},
       {"AXLE", 2040, 1200, 2040, 1440, 615, 6},
       {"AXLE", 4200, 1320, 4200, 1560, 495, 7}}}},
}};

// Where one of the other elements stands in a style: shown there (with a new
// text when one is given) or hidden.
struct ElementPlace {
  bool shown;
  const char* text;
  int left, top;
};

struct OtherElements {
  ElementPlace madeInShort, largeLogo, smallLogo, madeInLong, typeCaption, typeBox;
};

constexpr ElementPlace kHidden{false, nullptr, 0, 0};

constexpr std::array<OtherElements, Plate::kStyleCount> kOtherElements{{
    // 1959-1961
    {{true, "MADE IN U.S.A. BY", 2520, 600},
     {true, nullptr, 3360, 480},
     kHidden,
     kHidden,
     kHidden,
     kHidden},
    // 1962
    {{true, "MADE IN U.S.A. BY", 2400, 1320},
     {true, nullptr, 3120, 1320},
     kHidden,
     kHidden,
     kHidden,
     kHidden},
    // 1963-1966
    {kHidden, {true, nullptr, 3720, 1320}, kHidden, kHidden, kHidden, kHidden},
    // 1967-1969
    {{true, "MADE IN U.S.A.", 5280, 700},
     kHidden,
     {true, nullptr, 4080, 640},
     kHidden,
     kHidden,
     kHidden},
    // 1970-1972: the long "MADE IN U.S.A." across the plate's foot
    {kHidden, kHidden, kHidden, {true, nullptr, 0, 1920}, kHidden, kHidden},
    // 1973-1974: the greyed "PASSENGER" type box
    {kHidden, kHidden, kHidden, kHidden, {true, nullptr, 2940, 970}, {true, nullptr, 2400, 600}},
}};

const char* const kStyleNames[Plate::kStyleCount] = {"1959-1961", "1962",      "1963-1966",
                                                     "1967-1969", "1970-1972", "1973-1974"};

const QStringList kArial{QStringLiteral("Arial")};

void PaintWhite(QWidget* widget) {
  QPalette white = widget->palette();
  white.setColor(QPalette::WindowText, Qt::white);
  widget->setPalette(white);
}

QLabel* MakeCaption(QWidget* client, const char* name, const char* text) {
  auto* caption = new QLabel(QString::fromLatin1(text), client);
  caption->setObjectName(QString::fromLatin1(name));
  caption->setFont(FontAtPoints(kArial, 9.75, true));
  PaintWhite(caption);
  caption->adjustSize();
  return caption;
}

QLineEdit* MakeBox(QWidget* client, const char* name, int maxLength, const char* tooltip) {
  auto* box = new QLineEdit(client);
  box->setObjectName(QString::fromLatin1(name));
  box->setMaxLength(maxLength);
  box->setToolTip(QString::fromLatin1(tooltip));
  box->setFont(FontAtPoints(kArial, 11.25, true));
  return box;
}

QLabel* MakeMadeIn(QWidget* client, const char* name, int width, int height) {
  auto* label = new QLabel(QStringLiteral("MADE IN U.S.A."), client);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(FontAtPoints(kArial, 8.25, true));
  label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  label->setWordWrap(true);
  PaintWhite(label);
  label->resize(TwipsToPixels(width), TwipsToPixels(height));
  GrowToFit(label);
  return label;
}

// The maker's emblem at its size on the plate, drawn for the screen's density.
QLabel* MakeLogo(QWidget* client, const char* name, BrantelPicture picture, int width, int height) {
  auto* logo = new QLabel(client);
  logo->setObjectName(QString::fromLatin1(name));
  logo->setAlignment(Qt::AlignCenter);
  logo->resize(TwipsToPixels(width), TwipsToPixels(height));
  logo->setPixmap(BrantelArt::Render(picture, logo->size(), qApp->devicePixelRatio()));
  return logo;
}

void Place(QWidget* element, const ElementPlace& place) {
  if (place.shown) {
    if (auto* label = qobject_cast<QLabel*>(element); label != nullptr && place.text != nullptr) {
      label->setText(QString::fromLatin1(place.text));
      GrowToFit(label);
    }
    MoveTwips(element, place.left, place.top);
  }
  element->setVisible(place.shown);
}

}  // namespace

Plate::Plate(QWidget* client, TabPlaces& tabs) : QObject(client), tabs_(tabs) {
  PlateElements& e = elements_;
  e.styleCaption = new QLabel(QStringLiteral("Template &Style:"), client);
  e.styleCaption->setObjectName(QStringLiteral("Label10"));
  PlaceTwips(e.styleCaption, 120, 75, 1095, 255);

  e.styleList = new QComboBox(client);
  e.styleList->setObjectName(QStringLiteral("cboTemplateStyle"));
  for (const char* name : kStyleNames) e.styleList->addItem(QString::fromLatin1(name));
  e.styleList->setToolTip(QStringLiteral("Select A Template Style"));
  PlaceTwips(e.styleList, 1275, 30, 1335, 315);
  e.styleCaption->setBuddy(e.styleList);
  // Room for the caption up to the list, should the face need it.
  GrowToFit(e.styleCaption);
  e.styleCaption->resize(std::min(e.styleCaption->width(), e.styleList->x() - e.styleCaption->x()),
                         e.styleCaption->height());
  connect(e.styleList, &QComboBox::currentIndexChanged, this, &Plate::ArrangePlate);

  // Made first, so everything made later stands on it.
  e.ground = new QFrame(client);
  e.ground->setObjectName(QStringLiteral("Shape1"));
  e.ground->setFrameShape(QFrame::NoFrame);
  e.ground->setAutoFillBackground(true);
  QPalette black = e.ground->palette();
  black.setColor(QPalette::Window, Qt::black);
  e.ground->setPalette(black);
  PlaceTwips(e.ground, 0, 360, 6015, 1815);

  e.largeLogo = MakeLogo(client, "imgBrantelLarge", BrantelPicture::LogoLarge, 2070, 720);
  e.smallLogo = MakeLogo(client, "imgBrantelSmall", BrantelPicture::LogoSmall, 1050, 525);
  e.madeInShort = MakeMadeIn(client, "lblMadeInUSAShort", 735, 450);
  e.madeInLong = MakeMadeIn(client, "lblMadeInUSALong", 6015, 210);

  for (std::size_t i = 0; i < kFields.size(); ++i) {
    e.captions[i] = MakeCaption(client, kFields[i].captionName, "");
  }
  e.typeCaption = MakeCaption(client, "lblType", "TYPE");
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    const Field& field = kFields[i];
    e.boxes[i] = MakeBox(client, field.boxName, field.maxLength, field.tooltip);
  }
  // Shown greyed on the 1973-1974 plate; never typed into.
  e.typeBox = MakeBox(client, "txtType", 32767, "");
  e.typeBox->setText(QStringLiteral("PASSENGER"));
  e.typeBox->setEnabled(false);
  e.typeBox->setFocusPolicy(Qt::NoFocus);
  PlaceTwips(e.typeBox, 0, 0, 1575, 385);

  // Each box is named by the caption beside it, whatever the caption says in
  // the style shown (assistive technology reads a label's buddy as its name).
  for (std::size_t i = 0; i < kFields.size(); ++i) e.captions[i]->setBuddy(e.boxes[i]);
  e.typeCaption->setBuddy(e.typeBox);
}

int Plate::StyleOfYear(int modelYear) {
  // Each style's name begins with its first model year.
  int style = 0;
  while (style + 1 < kStyleCount && std::atoi(kStyleNames[style + 1]) <= modelYear) ++style;
  return style;
}

QLineEdit* Plate::Box(PlateField field) const {
  return elements_.boxes[static_cast<std::size_t>(field)];
}

void Plate::Startup() {
  elements_.styleList->setCurrentIndex(0);
  AppliedTemplateStyle = -1;
  ArrangePlate(0);
}

void Plate::ArrangePlate(int k) {
  if (k < 0 || k >= kStyleCount) return;
  if (AppliedTemplateStyle == k) return;
  const auto style = static_cast<std::size_t>(k);

  // Fields in the order of their tab places, so that each box moved to its
  // place leaves the ones placed before it where they are.
  std::array<std::size_t, kPlateFieldCount> order{};
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [style](std::size_t a, std::size_t b) {
    return kFields[a].places[style].tabPlace < kFields[b].places[style].tabPlace;
  });
  for (const std::size_t i : order) {
    const FieldPlace& place = kFields[i].places[style];
    QLabel* caption = elements_.captions[i];
    QLineEdit* box = elements_.boxes[i];
    const bool dateOrDso = i == static_cast<std::size_t>(PlateField::Date) ||
                           i == static_cast<std::size_t>(PlateField::DSO);
    if (place.caption == nullptr) {
      caption->hide();
      box->hide();
      // The 1959-1961 plate has no DSO: its box is no tab stop then.
      if (i == static_cast<std::size_t>(PlateField::DSO) && k == 0) {
        box->setFocusPolicy(Qt::ClickFocus);
      }
      continue;
    }
    caption->setText(QString::fromLatin1(place.caption));
    caption->adjustSize();
    MoveTwips(caption, place.captionLeft, place.captionTop);
    PlaceTwips(box, place.boxLeft, place.boxTop, place.boxWidth, kBoxHeight);
    tabs_.SetTabPlace(box, place.tabPlace);
    if (dateOrDso) {
      caption->show();
      box->show();
      box->setFocusPolicy(Qt::StrongFocus);
    }
  }

  const OtherElements& elements = kOtherElements[style];
  Place(elements_.madeInShort, elements.madeInShort);
  Place(elements_.largeLogo, elements.largeLogo);
  Place(elements_.smallLogo, elements.smallLogo);
  Place(elements_.madeInLong, elements.madeInLong);
  Place(elements_.typeCaption, elements.typeCaption);
  Place(elements_.typeBox, elements.typeBox);
  tabs_.Apply();

  AppliedTemplateStyle = static_cast<std::int16_t>(elements_.styleList->currentIndex());
}

}  // namespace vorrendal
