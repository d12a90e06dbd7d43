#pragma once
// What the windows need of the help file: its contents and a topic by number.
// The topic numbers are the ones the controls carry (property
// "helpContextId"), 4 for the error notice and 101 for a data file that
// failed to load.

class QWidget;

namespace vorrendal {

class IHelp {
 public:
  virtual ~IHelp() = default;

  // Opens the help file at its table of contents. owner is the window that asked.
  virtual void ShowContents(QWidget* owner) = 0;

  // Opens the help file at the topic with this context number.
  virtual void ShowTopic(int contextId, QWidget* owner) = 0;
};

}  // namespace vorrendal
