// The code tables window: what it adds to the code table and its filter.

#include "AppTestSupport.h"
#include "app/frmCodeTables.h"
#include "ui/clsCommonFileDialog.h"

namespace {

// Every model year readable; 1965 holds a code of each field with a box.
YearData CodeData() {
  YearData years;
  for (int year = 59; year <= 74; ++year) years[std::to_string(year)];
  years["62"] = {{"c62-A", "Inkwell Black"}};
  years["65"] = {{"p65-A", "Linden"},        {"b65-63A", "Sedan"},
                 {"c65-A", "Inkwell Black"}, {"c65-K", "Cr\xE8me Yellow"},
                 {"t65-41", "Black Vinyl"},  {"s65-21", "New York"},
                 {"r65-1", "Three-Speed"},   {"x65-1", "2.80:1"}};
  years["66"] = {{"c66-A", "Inkwell Black"}};
  years["71"] = {{"t71-4A", "Black Cloth"}};
  return years;
}
// The rows CodeData gives: its eleven records, sixteen year digits and
// twenty-four month letters.
constexpr int kAllRows = 51;

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
  // The shown row of that year (empty for a month letter), field and code.
  QModelIndex Row(const QString& year, const QString& field, const QString& code) const {
    const QAbstractItemModel* shown = table->model();
    for (int row = 0; row < shown->rowCount(); ++row) {
      if (shown->index(row, 0).data() == year && shown->index(row, 1).data() == field &&
          shown->index(row, 2).data() == code)
        return shown->index(row, 2);
    }
    qFatal("no row %s %s %s", qPrintable(year), qPrintable(field), qPrintable(code));
  }
  QString Count() const { return Find<QLabel>(*tables, "lblCount")->text(); }

  frmCodeTables* tables = nullptr;
  QTableView* table = nullptr;
};

class frmCodeTablesTest : public QObject {
  Q_OBJECT
 private slots:
  void aSecondRequestShowsTheSameWindow() {
    TablesWindow t;
    t.tables->close();
    t.Get<QAction>("mnuToolsCodeTables")->trigger();
    QCOMPARE(t.window.findChildren<frmCodeTables*>().size(), 1);
    QVERIFY(t.tables->isVisible());
  }

  void typingAtOnceSearches() {
    TablesWindow t;
    QCOMPARE(t.tables->focusWidget(), Find(*t.tables, "txtSearch"));
  }

  // Each filter is wired to the table; the count follows.
  void filtersCombine_data() {
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("search");
    QTest::addColumn<QString>("count");
    const auto row = [](const char* name, const char* year, const char* field, const char* search,
                        const char* count) {
      QTest::newRow(name) << year << field << search << count;
    };
    row("none", "All years", "All fields", "", "51 codes");
    row("a year", "1965", "All fields", "", "33 of 51 codes");
    row("a field", "All years", "Color", "", "4 of 51 codes");
    row("typed", "All years", "All fields", "CREME", "1 of 51 codes");
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

  // By double-click or Enter, the style of its year chosen first.
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
    row("1965", "DSO", "21", false, "txtDSO", "1963-1966");
    row("1965", "Body", "63A", true, "txtBody", "1963-1966");
    row("1965", "Plant", "A", false, "", "1959-1961");  // no box: nothing changes
  }
  void choosingARowFillsItsBox() {
    QFETCH(QString, year);
    QFETCH(QString, field);
    QFETCH(QString, code);
    QFETCH(bool, enter);
    QFETCH(QString, box);
    QFETCH(QString, style);
    TablesWindow t;
    const QModelIndex row = t.Row(year, field, code);
    t.table->scrollTo(row);
    const QPoint at = t.table->visualRect(row).center();
    QTest::mouseClick(t.table->viewport(), Qt::LeftButton, {}, at);
    if (enter) {
      QTest::keyClick(t.table, Qt::Key_Return);
    } else {
      QTest::mouseDClick(t.table->viewport(), Qt::LeftButton, {}, at);
    }
    QStringList filled;
    for (const QString& name : kBoxes) {
      if (!t.Box(name)->text().isEmpty()) filled << name + u'=' + t.Box(name)->text();
    }
    QCOMPARE(filled, box.isEmpty() ? QStringList() : QStringList{box + u'=' + code});
    QCOMPARE(t.Get<QComboBox>("cboTemplateStyle")->currentText(), style);
  }

  // Above the rows of the others.
  void unreadYearsNamedOnce_data() {
    QTest::addColumn<QStringList>("unread");
    QTest::addColumn<QString>("named");
    QTest::addColumn<int>("rows");
    QTest::newRow("one") << QStringList{"66"}
                         << "The descriptions of 1966 could not be read from Data.dat"
                         << kAllRows - 1;
    QStringList every;
    for (int year = 59; year <= 74; ++year) every << QString::number(year);
    QTest::newRow("every") << every << "No model year could be read from Data.dat" << 40;
  }
  void unreadYearsNamedOnce() {
    QFETCH(QStringList, unread);
    QFETCH(QString, named);
    QFETCH(int, rows);
    YearData years = CodeData();
    for (const QString& year : unread) years.erase(year.toStdString());
    TablesWindow t(years);
    const QLabel* error = Find<QLabel>(*t.tables, "lblLoadError");
    QVERIFY(error->isVisible());
    QVERIFY2(error->text().startsWith(named), qPrintable(error->text()));
    QCOMPARE(t.table->model()->rowCount(), rows);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }

  void ctrlCCopiesTheSelectedRowsWithTheirTitles() {
    TablesWindow t;
    t.Filter("1965", "Color", "");
    t.table->selectAll();
    QTest::keyClick(t.table, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QString::fromUtf8("Year\tField\tCode\tDescription\n"
                               "1965\tColor\tA\tInkwell Black\n"
                               "1965\tColor\tK\tCr\xC3\xA8me Yellow\n"));
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
