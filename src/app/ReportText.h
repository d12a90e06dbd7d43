#pragma once
// The edge between the window's text (QString, "\n" line ends) and the
// decoder's (Windows-1252 bytes, CR LF line ends).

#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vorrendal {

class ReportText {
 public:
  // Windows-1252 bytes of text; a character the code page cannot store
  // becomes "?".
  static std::string ToCp1252(const QString& text);
  static QString FromCp1252(std::string_view bytes);

  // The report box's text as the decoder takes it: "\n" becomes CR LF.
  static std::string ToReport(const QString& boxText);
  // A report as the box shows it: CR LF becomes "\n".
  static QString FromReport(std::string_view report);

  // The box position of a caret offset into a report (each CR LF before it
  // is one character in the box).
  static int CaretInBox(std::string_view report, std::size_t caret);

  struct Shown {
    QString Text;
    std::optional<int> Caret;  // box position, when the report moves the caret
  };

  // What the box shows after a decode. oldBoxText is the box's text before
  // it, oldReport the bytes handed to the decoder for it. When the new report
  // continues the old one (append mode), the old text is kept exactly as it
  // was in the box, so characters the code page cannot store are not lost.
  static Shown Show(const QString& oldBoxText, const std::string& oldReport,
                    const std::string& newReport, std::optional<std::size_t> caret);
};

}  // namespace vorrendal
