// The text edge between the window and the decoder: code page, line ends,
// caret positions and the append mode that must not lose the box's text.

#include "AppTestSupport.h"
#include "app/ReportText.h"

class ReportTextTest : public QObject {
  Q_OBJECT
 private slots:
  // Windows-1252 both ways; characters the code page lacks become one "?" each
  // (and then only one way).
  void codePage() {
    const std::tuple<QString, QByteArray, bool> cases[] = {
        {QStringLiteral("5A62C100001"), "5A62C100001", true},
        {QString::fromUtf8("Caf\u00e9 \u00bd"), "Caf\xe9 \xbd", true},
        {QString::fromUtf8("\u20ac \u2013 \u201c\u201d"), "\x80 \x96 \x93\x94", true},
        {QString::fromUtf8("\u0081\u008d\u008f\u0090\u009d"), "\x81\x8d\x8f\x90\x9d",
         true},  // undefined bytes
        {QString(), QByteArray(), true},
        {QString::fromUtf8("a\u03a9b"), "a?b", false},
        {QString::fromUtf8("x\U0001F600y"), "x?y", false},  // outside the BMP is one character
        {QString::fromUtf8("\u20ac\u4e2d\u00e9"), "\x80?\xe9", false},
    };
    for (const auto& [text, bytes, bothWays] : cases) {
      const Row row(text);
      const std::string encoded = ReportText::ToCp1252(text);
      QCOMPARE(QByteArray::fromStdString(encoded), bytes);
      if (bothWays) QCOMPARE(ReportText::FromCp1252(encoded), text);
    }
  }

  // The box's LF is the report's CR LF, and back; a lone CR is kept.
  void lineEnds() {
    const std::pair<QString, QByteArray> cases[] = {
        {"a\nb", "a\r\nb"}, {"\n\nx\n", "\r\n\r\nx\r\n"}, {"abc", "abc"}, {"a\rb", "a\rb"}};
    for (const auto& [box, report] : cases) {
      const Row row(box);
      QCOMPARE(QByteArray::fromStdString(ReportText::ToReport(box)), report);
      QCOMPARE(ReportText::FromReport(report.toStdString()), box);
    }
  }

  // A caret in the report counts each CR LF as one character in the box.
  void caretInBox() {
    const std::tuple<const char*, std::size_t, int> cases[] = {
        {"ab\r\ncd", 0, 0}, {"ab\r\ncd", 2, 2}, {"ab\r\ncd", 4, 3}, {"ab\r\ncd\r\nef", 9, 7},
        {"ab\r\n", 99, 3},  {"a\rb", 3, 3}};  // a lone CR is a character of its own
    for (const auto& [report, caret, expected] : cases) {
      const Row row(QString::number(caret));
      QCOMPARE(ReportText::CaretInBox(report, caret), expected);
    }
  }

  // An appended report continues the box's own text: the Greek letter the person wrote there
  // must not turn into "?". Anything else replaces the text, and so does a report that
  // completes the old text's closing CR with an LF: that is a different text.
  void showAfterADecode() {
    const QString old = QString::fromUtf8("Note \u03a9\nline");
    const std::string oldReport = ReportText::ToReport(old);
    const std::string added =
        "\r\n\r\n____\r\n\r\nSerial: X\r\nYear";  // the caret after its "\r\n\r\n__"
    const ReportText::Shown shown =
        ReportText::Show(old, oldReport, oldReport + added, oldReport.size() + 6);
    QCOMPARE(shown.Text, old + QStringLiteral("\n\n____\n\nSerial: X\nYear"));
    QCOMPARE(shown.Caret.value_or(-1), static_cast<int>(old.size()) + 4);
    const auto replaced =
        ReportText::Show(QStringLiteral("old text"), "old text", "Serial\r\nBody", {});
    QCOMPARE(replaced.Text, QStringLiteral("Serial\nBody"));
    QVERIFY(!replaced.Caret.has_value());
    const auto split = ReportText::Show(QStringLiteral("a\r"), "a\r", "a\r\nb", std::nullopt);
    QCOMPARE(split.Text, QStringLiteral("a\nb"));
  }
};

QTEST_GUILESS_MAIN(ReportTextTest)
#include "ReportTextTest.moc"
