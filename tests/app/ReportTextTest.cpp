// Between the window's text and the decoder's Windows-1252 CR LF report.

#include <QtTest>

#include "app/ReportText.h"

using vorrendal::ReportText;

class ReportTextTest : public QObject {
  Q_OBJECT
 private slots:
  // Windows-1252 both ways; characters the code page lacks become "?" (one way).
  void codePage_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("bothWays");
    QTest::newRow("ASCII") << "5A62C100001" << QByteArray("5A62C100001") << true;
    QTest::newRow("Latin-1") << QString::fromUtf8("Caf\u00e9 \u00bd") << QByteArray("Caf\xe9 \xbd")
                             << true;
    QTest::newRow("Greek") << QString::fromUtf8("a\u03a9b") << QByteArray("a?b") << false;
  }
  void codePage() {
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, bothWays);
    const std::string encoded = ReportText::ToCp1252(text);
    QCOMPARE(QByteArray::fromStdString(encoded), bytes);
    if (bothWays) QCOMPARE(ReportText::FromCp1252(encoded), text);
  }

  // A lone CR is kept.
  void lineEnds_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QByteArray>("report");
    QTest::newRow("one break") << "a\nb" << QByteArray("a\r\nb");
    QTest::newRow("breaks at the ends") << "\n\nx\n" << QByteArray("\r\n\r\nx\r\n");
    QTest::newRow("a lone CR") << "a\rb" << QByteArray("a\rb");
  }
  void lineEnds() {
    QFETCH(QString, box);
    QFETCH(QByteArray, report);
    QCOMPARE(QByteArray::fromStdString(ReportText::ToReport(box)), report);
    QCOMPARE(ReportText::FromReport(report.toStdString()), box);
  }

  void caretInBox_data() {
    QTest::addColumn<QByteArray>("report");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("inBox");
    QTest::newRow("before the break") << QByteArray("ab\r\ncd") << 2 << 2;
    QTest::newRow("after it") << QByteArray("ab\r\ncd") << 4 << 3;
    QTest::newRow("after two") << QByteArray("ab\r\ncd\r\nef") << 9 << 7;
    QTest::newRow("past the end") << QByteArray("ab\r\n") << 99 << 3;
    QTest::newRow("a lone CR is a character") << QByteArray("a\rb") << 3 << 3;
  }
  void caretInBox() {
    QFETCH(QByteArray, report);
    QFETCH(int, caret);
    QFETCH(int, inBox);
    QCOMPARE(ReportText::CaretInBox(report.toStdString(), static_cast<std::size_t>(caret)), inBox);
  }

  // The Greek letter written in the box must not turn into "?".
  void appendKeepsTheBoxText() {
    const QString old = QString::fromUtf8("Note \u03a9\nline");
    const std::string oldReport = ReportText::ToReport(old);
    const std::string added =
        "\r\n\r\n____\r\n\r\nSerial: X\r\nYear";  // the caret after its "\r\n\r\n__"
    const ReportText::Shown shown =
        ReportText::Show(old, oldReport, oldReport + added, oldReport.size() + 6);
    QCOMPARE(shown.Text, old + QStringLiteral("\n\n____\n\nSerial: X\nYear"));
    QCOMPARE(shown.Caret.value_or(-1), static_cast<int>(old.size()) + 4);
  }

  // So does a report completing the old text's closing CR with an LF.
  void otherReportsReplace_data() {
    QTest::addColumn<QString>("old");
    QTest::addColumn<QByteArray>("report");
    QTest::addColumn<QString>("shown");
    QTest::newRow("a new report") << "old text" << QByteArray("Serial\r\nBody") << "Serial\nBody";
    QTest::newRow("the old CR completed") << "a\r" << QByteArray("a\r\nb") << "a\nb";
  }
  void otherReportsReplace() {
    QFETCH(QString, old);
    QFETCH(QByteArray, report);
    QFETCH(QString, shown);
    const auto replaced =
        ReportText::Show(old, ReportText::ToReport(old), report.toStdString(), std::nullopt);
    QCOMPARE(replaced.Text, shown);
    QVERIFY(!replaced.Caret.has_value());
  }
};

QTEST_GUILESS_MAIN(ReportTextTest)
#include "ReportTextTest.moc"
