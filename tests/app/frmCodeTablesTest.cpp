// The code tables window: what it adds to the code table and its filter.

#include "AppTestSupport.h"
#include "app/frmCodeTables.h"
#include "ui/clsCommonFileDialog.h"

namespace {

// Every model year readable, a few with codes.
YearData CodeData() {
  YearData years;
  for (int year = 59; year <= 74; ++year) years[std::to_string(year)];
  years["62"] = {{"c62-A", "Inkwell Black"}};
  years["65"] = {{"p65-A", "Linden"},
                 {"c65-A", "Inkwell Black"},
                 {"c65-K", "Cr\xE8me Yellow"},
                 {"t65-41", "Black Vinyl"}};
  years["66"] = {{"c66-A", "Inkwell Black"}};
  years["71"] = {{"t71-4A", "Black Cloth"}};
  return years;
}
// Its seven records, sixteen year digits and twenty-four month letters.
constexpr int kAllRows = 47;

struct TablesWindow : TestWindow {
  explicit TablesWindow(YearData years = CodeData()) : TestWindow(std::move(years)) {
    Get<QAction>("mnuToolsCodeTables")->trigger();
    tables = Find<frmCodeTables>(window, "frmCodeTables");
    table = Find<QTableView>(*tables, "grdCodes");
  }
  void Filter(const QString& year, const QString& field, const QString& search) const {
    Find<QComboBox>(*tables, "cboYear")->setCurrentText(year);
    Find<QComboBox>(*tables, "cboField")->setCurrentText(field);
    QTest::keyClicks(Find<QLineEdit>(*tables, "txtSearch"), search);
  }
  QString Count() const { return Find<QLabel>(*tables, "lblCount")->text(); }

  frmCodeTables* tables = nullptr;
  QTableView* table = nullptr;
};

class frmCodeTablesTest : public QObject {
  Q_OBJECT
 private slots:
  // Each filter is wired to the table, and they combine; the count follows.
  void filtersCombine_data() {
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("count");
    const auto row = [](const char* name, const char* year, const char* field, const char* search,
                        const char* count) {
      QTest::newRow(name) << year << field << search << count;
    };
    row("a year", "1965", "All fields", "", "29 of 47 codes");
    row("and a field", "1965", "Color", "", "2 of 47 codes");
    row("typed", "All years", "All fields", "CREME", "1 of 47 codes");
  }
  void filtersCombine() {
    QFETCH(QString, year);
    QFETCH(QString, field);
    QFETCH(QString, search);
    TablesWindow t;
    t.Filter(year, field, search);
    QFETCH(QString, count);
    QCOMPARE(t.Count(), count);
  }

  // By double-click or Enter on the one row shown, the style of its year chosen first.
  void choosingARowFillsItsBox_data() {
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("enter");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("style");
    const auto row = [](const char* year, const char* field, const char* code, bool enter,
                        const char* box, const char* style) {
      QTest::newRow(qPrintable(QStringLiteral("%1 %2 %3").arg(year, field, code)))
          << year << field << code << enter << box << style;
    };
    row("1965", "Trim", "41", false, "txtTrim", "1963-1966");  // from the 1959-1961 style
    row("1971", "Trim", "4A", true, "txtTrim", "1970-1972");
    row("1962", "Color", "A", false, "txtColor", "1962");  // the first year of its style
    row("1965", "Plant", "A", false, "", "1959-1961");     // no box: nothing changes
  }
  void choosingARowFillsItsBox() {
    QFETCH(QString, year);
    QFETCH(QString, field);
    QFETCH(QString, code);
    QFETCH(bool, enter);
    QFETCH(QString, box);
    QFETCH(QString, style);
    TablesWindow t;
    t.Filter(year, field, code);
    QCOMPARE(t.table->model()->rowCount(), 1);
    const QPoint at = t.table->visualRect(t.table->model()->index(0, 2)).center();
    QTest::mouseClick(t.table->viewport(), Qt::LeftButton, {}, at);
    if (enter)
      QTest::keyClick(t.table, Qt::Key_Return);
    else
      QTest::mouseDClick(t.table->viewport(), Qt::LeftButton, {}, at);
    QStringList filled;
    for (const QString& name : kBoxes)
      if (!t.Box(name)->text().isEmpty()) filled << name + u'=' + t.Box(name)->text();
    QCOMPARE(filled, box.isEmpty() ? QStringList() : QStringList{box + u'=' + code});
    QCOMPARE(t.Get<QComboBox>("cboTemplateStyle")->currentText(), style);
  }

  // Above the rows of the others.
  void unreadYearNamedOnce() {
    YearData years = CodeData();
    years.erase("66");
    TablesWindow t(years);
    const QLabel* error = Find<QLabel>(*t.tables, "lblLoadError");
    QVERIFY(error->isVisible());
    QVERIFY2(error->text().startsWith("The descriptions of 1966 could not be read from Data.dat"),
             qPrintable(error->text()));
    QCOMPARE(t.table->model()->rowCount(), kAllRows - 1);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }

  // In the order shown, as UTF-8 CSV.
  void exportWritesTheShownRows() {
    TablesWindow t;
    QTemporaryDir dir;
    const QString path = dir.filePath("codes.csv");
    t.tables->ExportDialog().NextFileNames = [&path](QFileDialog&) { return QStringList{path}; };
    t.Filter("All years", "Color", "");
    t.table->sortByColumn(2, Qt::DescendingOrder);
    Find<QPushButton>(*t.tables, "cmdExport")->click();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("year,field,code,description\r\n"
                                        "1965,color,K,Cr\xC3\xA8me Yellow\r\n"
                                        "1962,color,A,Inkwell Black\r\n"
                                        "1965,color,A,Inkwell Black\r\n"
                                        "1966,color,A,Inkwell Black\r\n"));
  }
};

}  // namespace

QTEST_MAIN(frmCodeTablesTest)
#include "frmCodeTablesTest.moc"
