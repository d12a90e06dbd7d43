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
  // Each filter is wired to the table, and they combine; the count follows. Rows:
  // "year|field|search|count".
  void filtersCombine_data() {
    Rows({"1965|All fields||29 of 47 codes", "1965|Color||2 of 47 codes",
          "All years|All fields|CREME|1 of 47 codes"});
  }
  void filtersCombine() {
    const QStringList r = Fields();
    TablesWindow t;
    t.Filter(r[0], r[1], r[2]);
    QCOMPARE(t.Count(), r[3]);
  }

  // By double-click or Enter on the one row shown, the style of its year chosen first; a code
  // without a box changes nothing. Rows: "year|field|code|click or enter|box|style".
  void choosingARowFillsItsBox_data() {
    Rows({"1965|Trim|41|click|txtTrim|1963-1966",  // from the 1959-1961 style
          "1971|Trim|4A|enter|txtTrim|1970-1972",
          "1962|Color|A|click|txtColor|1962",  // the first year of its style
          "1965|Plant|A|click||1959-1961"});
  }
  void choosingARowFillsItsBox() {
    const QStringList r = Fields();
    TablesWindow t;
    t.Filter(r[0], r[1], r[2]);
    QCOMPARE(t.table->model()->rowCount(), 1);
    const QPoint at = t.table->visualRect(t.table->model()->index(0, 2)).center();
    QTest::mouseClick(t.table->viewport(), Qt::LeftButton, {}, at);
    if (r[3] == u"enter")
      QTest::keyClick(t.table, Qt::Key_Return);
    else
      QTest::mouseDClick(t.table->viewport(), Qt::LeftButton, {}, at);
    QStringList filled;
    for (const QString& name : kBoxes)
      if (!t.Box(name)->text().isEmpty()) filled << name + u'=' + t.Box(name)->text();
    QCOMPARE(filled, r[4].isEmpty() ? QStringList() : QStringList{r[4] + u'=' + r[2]});
    QCOMPARE(t.Get<QComboBox>("cboTemplateStyle")->currentText(), r[5]);
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
