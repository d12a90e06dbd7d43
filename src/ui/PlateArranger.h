#pragma once
// The plate picture of the main window in its six template styles. Each style
// moves, re-captions, shows and hides the plate's captions, boxes, logos and
// "MADE IN U.S.A." labels and re-orders the tab places of the eight code
// boxes, so the codes are typed in the order in which they stand on the
// plate of that year range. The boxes' texts are never touched.

#include <QPointer>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>

#include "ui/TabPlaces.h"

class QComboBox;
class QLabel;
class QWidget;

namespace vorrendal {

// The plate controls of a window, looked up by object name.
struct PlateControls {
  // Field order: serial, body, color, trim, date, DSO, trans, axle.
  static constexpr int kFieldCount = 8;
  QPointer<QComboBox> cboTemplateStyle;
  std::array<QPointer<QLabel>, kFieldCount> captions;
  std::array<QPointer<QWidget>, kFieldCount> boxes;
  QPointer<QWidget> txtType;
  QPointer<QLabel> lblType;
  QPointer<QLabel> lblMadeInUSAShort;
  QPointer<QLabel> lblMadeInUSALong;
  QPointer<QWidget> imgBrantelLarge;
  QPointer<QWidget> imgBrantelSmall;

  static PlateControls Find(QWidget* window);
  // Names of what Find could not find (empty when the window is complete).
  QStringList Missing() const;
};

class PlateArranger {
 public:
  enum Field { Serial, Body, Color, Trim, Date, DSO, Trans, Axle };

  // The six items of the style list, index = style.
  static QStringList StyleNames();

  // The window's controls in their designed tab places, 0 first.
  static QStringList DesignedTabPlaces();

  explicit PlateArranger(QWidget* window);

  // Connects the style list's selection to ArrangePlate.
  void ConnectStyleList();

  // Window loading: select "1959-1961" (whose selection changes nothing while
  // the marker is still 0), force the marker to -1 and apply style 0.
  void Startup();

  // Applies style k (0 to 5) unless it is the one applied last.
  void ArrangePlate(int k);

  // The style applied last; -1 forces the next arrangement.
  std::int16_t AppliedTemplateStyle = 0;

  // Called after a label's text changed, to let it fit its new text (for
  // faces a little wider than designed). Captions size themselves first.
  std::function<void(QLabel*)> FitLabel;

  const PlateControls& Controls() const { return controls_; }
  TabPlaces& Tabs() { return tabs_; }

 private:
  QWidget* window_;
  PlateControls controls_;
  TabPlaces tabs_;
};

}  // namespace vorrendal
