#pragma once
// What the drop button does to its window when it opens or closes the report
// panel. The main window implements it; tests use a recording fake.

namespace vorrendal {

class IReportPanelHost {
 public:
  virtual ~IReportPanelHost() = default;

  // Outer height of the window (frame included) in pixels.
  virtual int OuterHeightPixels() const = 0;
  // Sets the outer height of the window, in twips (15 to the pixel).
  virtual void SetOuterHeightTwips(int twips) = 0;
  virtual void SetReportPanelOpen(bool open) = 0;
  // Open: the report box editable and a tab stop, and Copy, Save As and
  // Print tab stops. Closed: the report box read-only and all four skipped by Tab.
  virtual void SetReportPanelControls(bool open) = 0;
  // Moves the keyboard focus to the Process button.
  virtual void FocusProcess() = 0;
};

}  // namespace vorrendal
