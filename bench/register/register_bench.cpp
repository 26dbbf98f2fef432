// The register's commands through the real windows on a large register: the patient search (surname and
// date) on the "Касса" tab, "Проверка" on the records found and on a contract with no search in force, an
// instalment in TForm9 and a refund in TForm7, each on a contract of 5 records among the others.
// Run by hand: build/bin/register_bench [rows...] (default 1,000,000). Prints a table. Runs on the
// offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "app/application.h"
#include "app/main_window.h"
#include "bench/support/register_fill.h"
#include "cashdesk/partial_payment_window.h"
#include "cashdesk/refund_window.h"
#include "cashdesk/register_tab.h"
#include "data/connection.h"
#include "data/database_creation.h"
#include "data/dataset.h"
#include "widgets/data_grid.h"
#include "widgets/patient_search_panel.h"
#include "workstation/money.h"
#include "workstation/services.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace zorvel;

namespace {

class SilentMessages : public Messages {
public:
    void show(const QString& text, const QString&) override { shown << text; }
    QStringList shown;
};

class FixedClock : public Clock {
public:
    QDateTime now() const override { return {QDate(2026, 3, 5), QTime(12, 0, 0)}; }
};

const char* const kSurname = "Замерова";
const char* const kDate = "05.03.2026";

// The patient of the measurements: one contract of five services, saved a second apart, in the middle of
// the register's days.
void addContract(const QString& path) {
    Connection c;
    c.connect(path);
    c.startTransaction();
    for (int i = 0; i < 5; ++i)
        c.executeImmediate(
            QStringLiteral(
                "insert into people (ipeop, fam, nam, oth, kodgvv, data_usl, name, summa, time_us, kol, "
                "ndog, chopl, prover, dataisp, dopoln) values (null, '%1', 'Анна', 'Петровна', '29', "
                "'%2', 'Услуга %3', '600', '12:00:0%3', 1, '999999', '0', 'Нет', '%2', 'Нет')")
                .arg(QString::fromUtf8(kSurname), QString::fromLatin1(kDate))
                .arg(i + 1));
    c.commit();
}

struct Timing {
    explicit Timing(QString text) : what(std::move(text)) {}
    QString what;
    std::vector<double> ms;
    QString result;
    int failures = 0;
};

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double timed(const std::function<void()>& step) {
    QElapsedTimer t;
    t.start();
    step();
    QCoreApplication::processEvents();
    return t.nsecsElapsed() / 1e6;
}

// The panel with surname and date shown and typed.
void fillSearch(PatientSearchPanel* panel) {
    for (auto field : {PatientSearchPanel::Surname, PatientSearchPanel::Date})
        panel->checkBox(field)->setChecked(true);
    panel->field(PatientSearchPanel::Surname)->setText(QString::fromUtf8(kSurname));
    panel->field(PatientSearchPanel::Date)->setText(QString::fromLatin1(kDate));
}

std::vector<Timing> measure(int rows, double& fillSeconds, double& startMs) {
    QTemporaryDir dir;
    const QString path = dir.filePath("bench.fdb");
    createDatabase(path);
    QElapsedTimer fillTime;
    fillTime.start();
    bench::fillRegister(path, rows / 2);
    addContract(path);
    bench::fillRegister(path, rows - rows / 2);
    fillSeconds = fillTime.elapsed() / 1000.0;
    QFile ini(dir.filePath("put.ini"));
    ini.open(QIODevice::WriteOnly);
    ini.write(QStringLiteral("[Put]\n1=%1\n").arg(path).toUtf8());
    ini.close();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());

    std::vector<Timing> timings;
    SilentMessages messages;
    FixedClock clock;
    {
        QElapsedTimer t;
        t.start();
        Application app(Services{&messages, &clock, nullptr, nullptr, nullptr}, false);
        MainWindow& window = app.mainWindow();
        window.resize(1280, 900);
        window.show();
        QCoreApplication::processEvents();
        startMs = t.nsecsElapsed() / 1e6;
        DataSet& people = app.workstation().serviceRegister();
        RegisterTab& tab = window.registerTab();
        auto mark = [&] { return tab.findChild<QComboBox*>("sDBComboBox1"); };
        auto check = [&](Timing& timing, bool ok) {
            if (!ok || !messages.shown.isEmpty()) {
                ++timing.failures;
                std::fprintf(stderr, "%s: failed check %s\n", timing.what.toUtf8().constData(),
                             messages.shown.join(u'|').toUtf8().constData());
            }
            messages.shown.clear();
        };

        // The search on the "Касса" tab, "Принять", until the grid shows the rows found (a grid in view
        // fetches rows until its screen is full or none are left).
        window.findChild<QTabWidget*>("sPageControl1")->setCurrentIndex(1);
        Timing search{QStringLiteral("search: surname + date, \"Принять\"")};
        auto* grid = tab.findChild<DataGrid*>("DBGrid2");
        for (int i = 0; i < 3; ++i) {
            // Each search on the register as a fresh start has it: only its first rows read.
            tab.searchPanel()->cancel();
            people.close();
            people.open();
            fillSearch(tab.searchPanel());
            search.ms.push_back(timed([&] {
                tab.searchPanel()->applyButton()->click();
                QCoreApplication::processEvents();
                while (grid->model()->rowCount() < 30 && grid->model()->canFetchMore({}))
                    grid->model()->fetchMore({});
            }));
            check(search, grid->model()->rowCount() == 5);
        }
        search.result = QStringLiteral("%1 rows shown").arg(grid->model()->rowCount());
        timings.push_back(search);

        // "Проверка" on the records found.
        Timing found{QStringLiteral("\"Проверка\" on the 5 records found")};
        for (int i = 0; i < 3; ++i) {
            const int item = i % 2 == 0 ? 0 : 1; // "Да ", then "Нет"
            found.ms.push_back(timed([&] {
                mark()->setCurrentIndex(item);
                emit mark()->activated(item);
            }));
            check(found, people.fieldText("PROVER") == mark()->itemText(item));
        }
        timings.push_back(found);

        // "Проверка" with no search in force: the current record's contract.
        Timing contract{QStringLiteral("\"Проверка\" on a contract, no search")};
        tab.searchPanel()->cancel();
        for (int i = 0; i < 3; ++i) {
            const int item = i % 2 == 0 ? 0 : 1;
            contract.ms.push_back(timed([&] {
                mark()->setCurrentIndex(item);
                emit mark()->activated(item);
            }));
            check(contract, people.fieldText("PROVER") == mark()->itemText(item) && !people.isFiltered());
        }
        timings.push_back(contract);

        // "Частичная оплата" from the entry tab, then an instalment typed with Enter.
        Timing open{QStringLiteral("\"Частичная оплата\": TForm9 on the contract")};
        auto* partial = static_cast<PartialPaymentWindow*>(app.window(9));
        open.ms.push_back(timed([&] { window.findChild<QPushButton*>("sBitBtn11")->click(); }));
        check(open, partial->isVisible() && people.recordCount() == 5);
        timings.push_back(open);
        Timing instalment{QStringLiteral("instalment, Enter in \"Текущая предоплата\"")};
        auto* amount = partial->findChild<QLineEdit*>("sEdit1");
        amount->setText(QStringLiteral("100.5"));
        for (int i = 0; i < 3; ++i) {
            instalment.ms.push_back(timed([&] {
                amount->setFocus();
                QTest::keyClick(amount, Qt::Key_Return);
            }));
            check(instalment, people.fieldText("CHOPL") == moneyText(qint64(1005000) * (i + 1)));
        }
        timings.push_back(instalment);
        partial->close();

        // "Возврат" in TForm7 with the search for the patient: the contract's 5 records move.
        Timing refund{QStringLiteral("refund of the 5 records found, \"Возврат\"")};
        auto* refunds = static_cast<RefundWindow*>(app.window(7));
        tab.findChild<QPushButton*>("sBitBtn9")->click();
        fillSearch(refunds->searchPanel());
        int moved = 0;
        refund.ms.push_back(timed([&] { moved = refunds->refund(); }));
        check(refund, moved == 5);
        refund.result = QStringLiteral("%1 moved").arg(moved);
        timings.push_back(refund);
        refunds->close();
    }
    QDir::setCurrent(previous);
    return timings;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    QList<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes << QString(argv[i]).toInt();
    if (sizes.isEmpty())
        sizes = {1000000};
    for (int rows : sizes) {
        double fillSeconds = 0, startMs = 0;
        const std::vector<Timing> timings = measure(rows, fillSeconds, startMs);
        std::printf("\n%d rows in PEOPLE (filled in %.0f s); start-up %.0f ms; peak memory %ld MB\n\n", rows,
                    fillSeconds, startMs, bench::peakMemoryMb());
        std::printf(
            "| command, through the real window | runs | median ms | max ms | result | failed checks |\n");
        std::printf("|---|---:|---:|---:|---|---:|\n");
        for (const Timing& t : timings)
            std::printf("| %s | %zu | %.1f | %.1f | %s | %d |\n", t.what.toUtf8().constData(), t.ms.size(),
                        median(t.ms), *std::max_element(t.ms.begin(), t.ms.end()),
                        t.result.toUtf8().constData(), t.failures);
        std::fflush(stdout);
    }
    return 0;
}
