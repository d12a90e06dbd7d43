#pragma once
// What the windows need of the help file: its contents and a topic by number.
// The topic numbers are those of resources/help/context.h, the header the
// help file is compiled with.

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
