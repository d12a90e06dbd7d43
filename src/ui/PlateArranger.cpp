#include "ui/PlateArranger.h"

#include <QComboBox>
#include <QLabel>
#include <QWidget>

#include "ui/ScreenUnits.h"

namespace vorrendal {
namespace {

constexpr int kBoxHeight = 375;

// One field of a plate: caption text and place, box place and width, tab
// place. A null caption hides the field; tab place 0 leaves its place alone.
struct FieldRow {
  PlateArranger::Field field;
  const char* caption;
  int captionLeft, captionTop;
  int boxLeft, boxTop, boxWidth;
  int tabPlace;
};

// An element beside the fields: shown or hidden, and where it moves (a
// negative left leaves it where it stands). Text null keeps the text.
struct Element {
  bool shown;
  const char* text;
  int left, top;
};

struct PlateStyle {
  std::array<FieldRow, PlateControls::kFieldCount> rows;
  Element madeInShort, logoLarge, logoSmall, madeInLong, type;
};

using F = PlateArranger::Field;
constexpr Element kHidden{false, nullptr, -1, -1};
constexpr Element kShownInPlace{true, nullptr, -1, -1};

// The serial boxes of 1967-1969 and 1973-1974 are 1680 twips wide, not the
// 1575 of the plate drawings: the least that shows a serial such as
// 7W55W123456 whole in bold Arial 11.25 point. The 1967-1969 caption beside
// the box moves right by as much (2025, not 1920), or it would touch the box.
constexpr std::array<PlateStyle, 6> kStyles{{
    // 1959-1961
    {{{{F::Serial, "SERIAL NUMBER", 600, 600, 600, 840, 1695, 1},
       {F::Body, "BODY", 600, 1320, 600, 1560, 615, 2},
       {F::Color, "COLOR", 1440, 1320, 1440, 1560, 735, 3},
       {F::Trim, "TRIM", 2400, 1320, 2400, 1560, 495, 4},
       {F::Date, "DATE", 3120, 1320, 3120, 1560, 615, 5},
       {F::DSO, nullptr, 0, 0, 0, 0, 0, 0},
       {F::Trans, "TRANS.", 3960, 1320, 3960, 1560, 735, 7},
       {F::Axle, "AXLE", 4920, 1320, 4920, 1560, 495, 8}}},
     {true, "MADE IN U.S.A. BY", 2520, 600},
     {true, nullptr, 3360, 480},
     kHidden,
     kHidden,
     kHidden},
    // 1962
    {{{{F::Body, "BODY", 240, 600, 240, 840, 615, 1},
       {F::Color, "COLOR", 1080, 600, 1080, 840, 735, 2},
       {F::Trim, "TRIM", 2040, 600, 2040, 840, 495, 3},
       {F::Date, "DATE", 2760, 600, 2760, 840, 615, 4},
       {F::DSO, "D.S.O.", 3600, 600, 3600, 840, 495, 5},
       {F::Axle, "AXLE", 4320, 600, 4320, 840, 495, 6},
       {F::Trans, "TRANS.", 5040, 600, 5040, 840, 735, 7},
       {F::Serial, "SERIAL NUMBER", 240, 1320, 240, 1560, 1695, 8}}},
     {true, "MADE IN U.S.A. BY", 2400, 1320},
     {true, nullptr, 3120, 1320},
     kHidden,
     kHidden,
     kHidden},
    // 1963-1966
    {{{{F::Body, "BODY", 240, 600, 240, 840, 615, 1},
       {F::Color, "COLOR", 1080, 600, 1080, 840, 735, 2},
       {F::Trim, "TRIM", 2040, 600, 2040, 840, 495, 3},
       {F::Date, "DATE", 2760, 600, 2760, 840, 615, 4},
       {F::DSO, "DSO", 3600, 600, 3600, 840, 495, 5},
       {F::Axle, "AXLE", 4320, 600, 4320, 840, 495, 6},
       {F::Trans, "TRANS", 5040, 600, 5040, 840, 735, 7},
       {F::Serial, "VEHICLE WARRANTY NUMBER", 360, 1320, 240, 1560, 3135, 8}}},
     kHidden,
     {true, nullptr, 3720, 1320},
     kHidden,
     kHidden,
     kHidden},
    // 1967-1969: captions below their boxes, the serial caption to the right
    {{{{F::Serial, "WARRANTY NUMBER", 2025, 800, 240, 720, 1680, 1},
       {F::Body, "BODY", 240, 1700, 240, 1320, 615, 2},
       {F::Color, "COLOR", 1080, 1700, 1080, 1320, 735, 3},
       {F::Trim, "TRIM", 2040, 1700, 2040, 1320, 495, 4},
       {F::Date, "DATE", 2760, 1700, 2760, 1320, 615, 5},
       {F::DSO, "D.S.O.", 3600, 1700, 3600, 1320, 495, 6},
       {F::Axle, "AXLE", 4320, 1700, 4320, 1320, 495, 7},
       {F::Trans, "TRANS.", 5040, 1700, 5040, 1320, 735, 8}}},
     {true, "MADE IN U.S.A.", 5280, 700},
     kHidden,
     {true, nullptr, 4080, 640},
     kHidden,
     kHidden},
    // 1970-1972: two rows, no date field, the long "MADE IN U.S.A." along the foot
    {{{{F::Serial, "VEH. IDENT. NO.", 1200, 480, 1200, 720, 1815, 1},
       {F::Body, "BODY", 3240, 480, 3120, 720, 735, 2},
       {F::Color, "COL.", 4080, 480, 3960, 720, 615, 3},
       {F::Trim, "TRIM", 1320, 1200, 1200, 1440, 735, 4},
       {F::Date, nullptr, 0, 0, 0, 0, 0, 0},
       {F::Axle, "AXLE", 2040, 1200, 2040, 1440, 615, 6},
       {F::Trans, "TRNS.", 2760, 1200, 2760, 1440, 615, 7},
       {F::DSO, "DSO", 3840, 1200, 3480, 1440, 1095, 8}}},
     kHidden,
     kHidden,
     kHidden,
     kShownInPlace,
     kHidden},
    // 1973-1974: the serial caption below its box, the greyed "PASSENGER" type box
    {{{{F::Serial, "VEH. IDENT. NO.", 480, 970, 480, 600, 1680, 1},
       {F::Body, "BODY", 480, 1320, 480, 1560, 615, 2},
       {F::Color, "COLOR", 1440, 1320, 1440, 1560, 615, 3},
       {F::Trim, "TRIM", 2400, 1320, 2400, 1560, 495, 4},
       {F::Date, nullptr, 0, 0, 0, 0, 0, 0},
       {F::Trans, "TRANS.", 3240, 1320, 3240, 1560, 615, 6},
       {F::Axle, "AXLE", 4200, 1320, 4200, 1560, 495, 7},
       {F::DSO, "DSO", 5040, 1320, 5040, 1560, 495, 8}}},
     kHidden,
     kHidden,
     kHidden,
     kHidden,
     kShownInPlace},
}};

const char* const kCaptionNames[PlateControls::kFieldCount] = {
    "lblSerialNumber", "lblBody", "lblColor", "lblTrim",
    "lblDate",         "lblDSO",  "lblTrans", "lblAxle"};
const char* const kBoxNames[PlateControls::kFieldCount] = {"txtSerialNumber", "txtBody", "txtColor",
                                                           "txtTrim",         "txtDate", "txtDSO",
                                                           "txtTrans",        "txtAxle"};

template <typename T>
void FindInto(QWidget* window, QPointer<T>& into, const char* name) {
  into = window->findChild<T*>(QString::fromLatin1(name));
}

void ApplyElement(QWidget* widget, const Element& element,
                  const std::function<void(QLabel*)>& fit) {
  if (!widget) return;
  if (element.text) {
    if (auto* label = qobject_cast<QLabel*>(widget)) {
      label->setText(QString::fromLatin1(element.text));
      if (fit) fit(label);
    }
  }
  if (element.left >= 0) widget->move(TwipsToPixels(element.left), TwipsToPixels(element.top));
  widget->setVisible(element.shown);
}

}  // namespace

PlateControls PlateControls::Find(QWidget* window) {
  PlateControls c;
  FindInto(window, c.cboTemplateStyle, "cboTemplateStyle");
  for (int i = 0; i < kFieldCount; ++i) {
    FindInto(window, c.captions[static_cast<std::size_t>(i)], kCaptionNames[i]);
    FindInto(window, c.boxes[static_cast<std::size_t>(i)], kBoxNames[i]);
  }
  FindInto(window, c.txtType, "txtType");
  FindInto(window, c.lblType, "lblType");
  FindInto(window, c.lblMadeInUSAShort, "lblMadeInUSAShort");
  FindInto(window, c.lblMadeInUSALong, "lblMadeInUSALong");
  FindInto(window, c.imgBrantelLarge, "imgBrantelLarge");
  FindInto(window, c.imgBrantelSmall, "imgBrantelSmall");
  return c;
}

QStringList PlateControls::Missing() const {
  QStringList missing;
  auto check = [&missing](const QObject* object, const char* name) {
    if (!object) missing.append(QString::fromLatin1(name));
  };
  check(cboTemplateStyle, "cboTemplateStyle");
  for (int i = 0; i < kFieldCount; ++i) {
    check(captions[static_cast<std::size_t>(i)], kCaptionNames[i]);
    check(boxes[static_cast<std::size_t>(i)], kBoxNames[i]);
  }
  check(txtType, "txtType");
  check(lblType, "lblType");
  check(lblMadeInUSAShort, "lblMadeInUSAShort");
  check(lblMadeInUSALong, "lblMadeInUSALong");
  check(imgBrantelLarge, "imgBrantelLarge");
  check(imgBrantelSmall, "imgBrantelSmall");
  return missing;
}

QStringList PlateArranger::StyleNames() {
  return {QStringLiteral("1959-1961"), QStringLiteral("1962"),      QStringLiteral("1963-1966"),
          QStringLiteral("1967-1969"), QStringLiteral("1970-1972"), QStringLiteral("1973-1974")};
}

QStringList PlateArranger::DesignedTabPlaces() {
  return {QStringLiteral("lblSerialNumber"),
          QStringLiteral("txtSerialNumber"),
          QStringLiteral("txtBody"),
          QStringLiteral("txtColor"),
          QStringLiteral("txtTrim"),
          QStringLiteral("txtDate"),
          QStringLiteral("txtDSO"),
          QStringLiteral("txtTrans"),
          QStringLiteral("txtAxle"),
          QStringLiteral("cmdProcess"),
          QStringLiteral("cmdClearSerial"),
          QStringLiteral("chkAppend"),
          QStringLiteral("txtDescription"),
          QStringLiteral("cmdCopyText"),
          QStringLiteral("cmdSaveAs"),
          QStringLiteral("cmdPrint"),
          QStringLiteral("Label10"),
          QStringLiteral("cboTemplateStyle"),
          QStringLiteral("picDropDescription"),
          QStringLiteral("lblColor"),
          QStringLiteral("lblTrim"),
          QStringLiteral("lblDate"),
          QStringLiteral("lblDSO"),
          QStringLiteral("lblTrans"),
          QStringLiteral("lblAxle"),
          QStringLiteral("lblMadeInUSAShort"),
          QStringLiteral("lblMadeInUSALong"),
          QStringLiteral("lblBody"),
          QStringLiteral("lblType"),
          QStringLiteral("txtType"),
          QStringLiteral("lblErrorOccurred"),
          QStringLiteral("lblErrorNotice")};
}

PlateArranger::PlateArranger(QWidget* window)
    : window_(window), controls_(PlateControls::Find(window)) {
  tabs_.Build(window, DesignedTabPlaces());
  // The type box only shows the word; it is never typed into.
  if (controls_.txtType) controls_.txtType->setFocusPolicy(Qt::NoFocus);
}

void PlateArranger::ConnectStyleList() {
  if (!controls_.cboTemplateStyle) return;
  QObject::connect(controls_.cboTemplateStyle, &QComboBox::currentIndexChanged, window_,
                   [this](int index) { ArrangePlate(index); });
}

void PlateArranger::Startup() {
  if (controls_.cboTemplateStyle) controls_.cboTemplateStyle->setCurrentIndex(0);
  AppliedTemplateStyle = -1;
  ArrangePlate(0);
}

void PlateArranger::ArrangePlate(int k) {
  if (k < 0 || k >= static_cast<int>(kStyles.size())) return;
  if (AppliedTemplateStyle == k) return;
  const PlateStyle& style = kStyles[static_cast<std::size_t>(k)];

  for (const FieldRow& row : style.rows) {
    const auto i = static_cast<std::size_t>(row.field);
    QLabel* caption = controls_.captions[i];
    QWidget* box = controls_.boxes[i];
    const bool dateOrDso = row.field == Date || row.field == DSO;
    if (!row.caption) {
      if (caption) caption->hide();
      if (box) {
        box->hide();
        if (row.field == DSO && k == 0) box->setFocusPolicy(Qt::ClickFocus);
      }
      continue;
    }
    if (caption) {
      caption->setText(QString::fromLatin1(row.caption));
      caption->adjustSize();
      if (FitLabel) FitLabel(caption);
      caption->move(TwipsToPixels(row.captionLeft), TwipsToPixels(row.captionTop));
      if (dateOrDso) caption->show();
    }
    if (box) {
      box->setGeometry(TwipsToPixels(row.boxLeft), TwipsToPixels(row.boxTop),
                       TwipsToPixels(row.boxWidth), TwipsToPixels(kBoxHeight));
      tabs_.SetTabPlace(box, row.tabPlace);
      if (dateOrDso) {
        box->show();
        box->setFocusPolicy(Qt::StrongFocus);
      }
    }
  }

  ApplyElement(controls_.lblMadeInUSAShort, style.madeInShort, FitLabel);
  ApplyElement(controls_.imgBrantelLarge, style.logoLarge, FitLabel);
  ApplyElement(controls_.imgBrantelSmall, style.logoSmall, FitLabel);
  ApplyElement(controls_.lblMadeInUSALong, style.madeInLong, FitLabel);
  ApplyElement(controls_.lblType, style.type, FitLabel);
  ApplyElement(controls_.txtType, style.type, FitLabel);
  tabs_.Apply();

  AppliedTemplateStyle = static_cast<std::int16_t>(
      controls_.cboTemplateStyle ? controls_.cboTemplateStyle->currentIndex() : k);
}

}  // namespace vorrendal
