#include "HelpUnavailable.h"

#include <QMessageBox>

namespace vorrendal {

QString HelpUnavailable::Message(int contextId) {
  QString text = QStringLiteral("The help file is not available in this copy of Vorrendal, "
                                "so its help cannot be shown.");
  if (contextId != 0) text += QStringLiteral("\n\n(Help topic %1.)").arg(contextId);
  return text;
}

void HelpUnavailable::ShowContents(QWidget* owner) {
  QMessageBox::information(owner, QString::fromLatin1(kTitle), Message(0));
}

void HelpUnavailable::ShowTopic(int contextId, QWidget* owner) {
  QMessageBox::information(owner, QString::fromLatin1(kTitle), Message(contextId));
}

}  // namespace vorrendal
