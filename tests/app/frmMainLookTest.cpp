// With the faces the program really gets (Liberation for Arial, Courier New).

#include "AppTestSupport.h"

namespace {

// The columns of an image that hold ink (a pixel unlike the background).
QList<int> InkColumns(const QImage& image, QColor background) {
  QList<int> columns;
  for (int x = 0; x < image.width(); ++x) {
    for (int y = 0; y < image.height(); ++y) {
      if (QColor(image.pixel(x, y)) != background) {
        columns << x;
        break;
      }
    }
  }
  return columns;
}

}  // namespace

class frmMainLookTest : public QObject {
  Q_OBJECT
 private slots:
  void fullWidthLineStaysWhole_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("district") << "DSO (47) = Minneapolis-St. Paul, Minnesota District";
    QTest::newRow("no space to break at") << QString(51, u'W');
  }
  void fullWidthLineStaysWhole() {
    QFETCH(QString, line);
    QCOMPARE(line.size(), 51);
    TestWindow t;
    t.DecodeGoodPlate();
    auto* report = t.Get<QPlainTextEdit>("txtDescription");
    report->setPlainText(QStringLiteral("Year (5) = 1965\n") + line);
    QApplication::processEvents();
    QCOMPARE(report->document()->lastBlock().layout()->lineCount(), 1);
  }

  // Not "theError".
  void errorNoticeWordsStandApart() {
    TestWindow t;
    t.DecodeWithError();
    auto* text = t.Get<QLabel>("lblErrorOccurred");
    auto* link = t.Get<QLabel>("lblErrorNotice");
    QVERIFY(text->isVisible() && link->isVisible());
    const QColor ground = t.window.centralWidget()->palette().color(QPalette::Window);
    // The sentence's last line is the band the link stands in.
    const QRect band(0, link->y() - text->y(), text->width(), link->height());
    QVERIFY(text->rect().contains(band.topLeft()) && band.y() > 0);
    const QList<int> words = InkColumns(text->grab(band).toImage(), ground);
    const QList<int> linkInk = InkColumns(link->grab().toImage(), ground);
    QVERIFY(!words.isEmpty() && !linkInk.isEmpty());
    const int wordsEnd = text->x() + words.last();
    const int linkStart = link->x() + linkInk.first();
    QVERIFY2(linkStart - wordsEnd > QFontMetrics(link->font()).horizontalAdvance(u' ') / 2,
             qPrintable(QStringLiteral("the words end at %1, the link starts at %2")
                            .arg(wordsEnd)
                            .arg(linkStart)));
  }

  // Its first character stands where a short serial's does.
  void serialBoxesShowWholeSerials_data() {
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("serial");
    const char* const styles[] = {"1959-1961", "1962",      "1963-1966",
                                  "1967-1969", "1970-1972", "1973-1974"};
    for (int style = 0; style < 6; ++style) {
      const QByteArray name = styles[style];
      // 1960-1974: digit, letter, two digits, letter or digit, six digits.
      QTest::newRow(name + " 1960-1974 form") << style << "8W88W888888";
      // 1959: letter, 9, two letters, six digits.
      QTest::newRow(name + " 1959 form") << style << "W9WW888888";
    }
  }
  void serialBoxesShowWholeSerials() {
    QFETCH(int, style);
    QFETCH(QString, serial);
    TestWindow t;
    t.window.SelectTemplateStyle(style);
    QLineEdit* box = t.Box("txtSerialNumber");
    const auto firstCharacterAt = [box](const QString& text) {
      box->setText(text);
      box->setSelection(0, static_cast<int>(text.size()));  // the caret at the end, the anchor at 0
      box->repaint();
      return box->inputMethodQuery(Qt::ImAnchorRectangle).toRect().left();
    };
    const int unscrolled = firstCharacterAt(QStringLiteral("W"));
    QCOMPARE(firstCharacterAt(serial), unscrolled);
    QVERIFY(box->inputMethodQuery(Qt::ImCursorRectangle).toRect().right() <=
            box->contentsRect().right());
  }
};

QTEST_MAIN(frmMainLookTest)
#include "frmMainLookTest.moc"
