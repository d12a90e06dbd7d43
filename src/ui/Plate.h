#pragma once
// The plate picture in the upper part of the main window: a black plate with
// a white caption and an entry box for each stamped code, the maker's logos
// and "MADE IN U.S.A.", in six template styles, one per range of model years.
// Choosing a style in the style list moves, re-captions, shows and hides the
// plate's elements and re-orders the tab places of the eight boxes, so the
// codes are typed in the order in which they stand on the plate of those
// years. The boxes' texts are never touched.

#include <QObject>
#include <array>
#include <cstdint>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QWidget;

namespace vorrendal {

class TabPlaces;

// The eight codes of a plate, in the order Process reads them.
enum class PlateField { Serial, Body, Color, Trim, Date, DSO, Trans, Axle };
inline constexpr int kPlateFieldCount = 8;

// What the plate is made of; the designed object names in the comments.
struct PlateElements {
  QLabel* styleCaption = nullptr;                    // Label10, "Template &Style:"
  QComboBox* styleList = nullptr;                    // cboTemplateStyle
  QFrame* ground = nullptr;                          // Shape1, the black plate beneath the rest
  std::array<QLabel*, kPlateFieldCount> captions{};  // lblSerialNumber ... lblAxle
  std::array<QLineEdit*, kPlateFieldCount> boxes{};  // txtSerialNumber ... txtAxle
  QLabel* typeCaption = nullptr;                     // lblType, "TYPE"
  QLineEdit* typeBox = nullptr;                      // txtType, the greyed "PASSENGER"
  QLabel* madeInShort = nullptr;                     // lblMadeInUSAShort, beside the logo
  QLabel* madeInLong = nullptr;                      // lblMadeInUSALong, along the plate's foot
  QLabel* largeLogo = nullptr;                       // imgBrantelLarge
  QLabel* smallLogo = nullptr;                       // imgBrantelSmall
};

class Plate final : public QObject {
  Q_OBJECT
 public:
  static constexpr int kStyleCount = 6;

  // The style (0 to 5) whose range of model years holds modelYear; the first
  // or last style for a year before or after them all.
  static int StyleOfYear(int modelYear);

  // Makes the plate's elements on the window's client area (they take their
  // places when a style is applied). tabs holds the window's tab places; the
  // styles move the boxes among them.
  Plate(QWidget* client, TabPlaces& tabs);

  const PlateElements& Elements() const { return elements_; }
  QLineEdit* Box(PlateField field) const;

  // Window loading: select "1959-1961" (whose selection changes nothing
  // while the marker is still 0), force the marker to -1 and apply style 0.
  void Startup();

  // Applies style k (0 to 5) unless it is the one applied last.
  void ArrangePlate(int k);

  // The style applied last; -1 forces the next arrangement.
  std::int16_t AppliedTemplateStyle = 0;

 private:
  PlateElements elements_;
  TabPlaces& tabs_;
};

}  // namespace vorrendal
