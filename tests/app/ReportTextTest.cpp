// The text edge between the window and the decoder: code page, line ends,
// caret positions and the append mode that must not lose the box's text.

#include <QTest>

#include "app/ReportText.h"

using vorrendal::ReportText;

class ReportTextTest : public QObject {
  Q_OBJECT
 private slots:
  void codePage_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("bothWays");  // false: characters the code page lacks become "?"
    QTest::newRow("ascii") << QStringLiteral("5A62C100001") << QByteArray("5A62C100001") << true;
    QTest::newRow("latin-1 range") << QString::fromUtf8("Caf\u00e9 \u00bd") << QByteArray("Caf\xe9 \xbd") << true;
    QTest::newRow("code page specials")
        << QString::fromUtf8("\u20ac \u2013 \u201c\u201d") << QByteArray("\x80 \x96 \x93\x94") << true;
    QTest::newRow("undefined bytes as C1 controls")
        << QString::fromUtf8("\u0081\u008d\u008f\u0090\u009d") << QByteArray("\x81\x8d\x8f\x90\x9d") << true;
    QTest::newRow("empty") << QString() << QByteArray() << true;
    QTest::newRow("greek") << QString::fromUtf8("a\u03a9b") << QByteArray("a?b") << false;
    QTest::newRow("outside the BMP is one character") << QString::fromUtf8("x\U0001F600y") << QByteArray("x?y") << false;
    QTest::newRow("mixed") << QString::fromUtf8("\u20ac\u4e2d\u00e9") << QByteArray("\x80?\xe9") << false;
  }
  void codePage() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, bothWays);
    const std::string encoded = ReportText::ToCp1252(text);
    QCOMPARE(QByteArray::fromStdString(encoded), bytes);
    if (bothWays) QCOMPARE(ReportText::FromCp1252(encoded), text);
  }

  void lineEnds_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QByteArray>("report");
    QTest::newRow("two lines") << QStringLiteral("a\nb") << QByteArray("a\r\nb");
    QTest::newRow("empty lines") << QStringLiteral("\n\nx\n") << QByteArray("\r\n\r\nx\r\n");
    QTest::newRow("no breaks") << QStringLiteral("abc") << QByteArray("abc");
  }
  void lineEnds() {
    QFETCH(QString, box);
    QFETCH(QByteArray, report);
    QCOMPARE(QByteArray::fromStdString(ReportText::ToReport(box)), report);
    QCOMPARE(ReportText::FromReport(report.toStdString()), box);
    QCOMPARE(ReportText::FromReport("a\rb"), QStringLiteral("a\rb"));  // a lone CR is kept
  }

  void caretInBox_data() {
    QTest::addColumn<QByteArray>("report");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("expected");
    QTest::newRow("start") << QByteArray("ab\r\ncd") << 0 << 0;
    QTest::newRow("before the break") << QByteArray("ab\r\ncd") << 2 << 2;
    QTest::newRow("after the break") << QByteArray("ab\r\ncd") << 4 << 3;
    QTest::newRow("second char of next line") << QByteArray("ab\r\ncd\r\nef") << 9 << 7;
    QTest::newRow("beyond the end") << QByteArray("ab\r\n") << 99 << 3;
  }
  void caretInBox() {
    QFETCH(QByteArray, report);
    QFETCH(int, caret);
    QFETCH(int, expected);
    QCOMPARE(ReportText::CaretInBox(report.toStdString(), static_cast<std::size_t>(caret)), expected);
  }

  void appendKeepsWhatTheCodePageLacks() {
    // The person wrote a Greek letter into the report; appending a new
    // section must not turn it into "?".
    const QString old = QString::fromUtf8("Note \u03a9\nline");
    const std::string oldReport = ReportText::ToReport(old);
    const std::string added = "\r\n\r\n____\r\n\r\nSerial: X\r\nYear";
    const std::string report = oldReport + added;
    const std::size_t caret = oldReport.size() + 6;  // after "\r\n\r\n__" of the addition
    const ReportText::Shown shown = ReportText::Show(old, oldReport, report, caret);
    QCOMPARE(shown.Text, old + QStringLiteral("\n\n____\n\nSerial: X\nYear"));
    QVERIFY(shown.Caret.has_value());
    QCOMPARE(*shown.Caret, static_cast<int>(old.size()) + 4);
  }

  void replaceShowsTheNewReportOnly() {
    const QString old = QStringLiteral("old text");
    const ReportText::Shown shown =
        ReportText::Show(old, ReportText::ToReport(old), "Serial\r\nBody", std::nullopt);
    QCOMPARE(shown.Text, QStringLiteral("Serial\nBody"));
    QVERIFY(!shown.Caret.has_value());
  }

  void aReportThatSplitsALineEndIsNotTakenAsAContinuation() {
    // The old text ends in a carriage return that the new report completes
    // with a line feed: that is a different text, shown from the report.
    const QString old = QStringLiteral("a\r");
    const std::string oldReport = ReportText::ToReport(old);
    const ReportText::Shown shown = ReportText::Show(old, oldReport, "a\r\nb", std::nullopt);
    QCOMPARE(shown.Text, QStringLiteral("a\nb"));
  }
};

QTEST_GUILESS_MAIN(ReportTextTest)
#include "ReportTextTest.moc"
