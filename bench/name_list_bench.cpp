// Importing a class list of 5,000 names into the name list window, as the
// user does with the import button: the file read, the extent probe (which
// lets pending events run before every probe) and the grid fill.
#include "state/app_state.h"
#include "naming/name_list_window.h"
#include "bench_dialogs.h"

#include <QTableWidget>
#include <benchmark/benchmark.h>

namespace {

void importClassList(benchmark::State& st, const char* file)
{
    const QString path = QStringLiteral(IDPHOTO_BENCH_DATA "/") + QString::fromUtf8(file);
    BenchDialogs dialogs(path);
    AppState state;
    NameListWindow window(state, dialogs, OpenSpreadsheet, NameListContext::Crop, nullptr);
    window.show();
    int rows = 0;
    for (auto _ : st) {
        window.importSpreadsheet();
        rows = window.findChild<QTableWidget*>(QStringLiteral("导入高表"))->rowCount();
    }
    if (rows != 5000) {
        st.SkipWithError(("the grid has " + std::to_string(rows) + " rows; " +
                          dialogs.lastMessage.toStdString()).c_str());
    }
    st.SetLabel(file);
}

void BM_ImportXlsx(benchmark::State& st) { importClassList(st, "class_list_5000.xlsx"); }
void BM_ImportXls(benchmark::State& st) { importClassList(st, "class_list_5000.xls"); }
BENCHMARK(BM_ImportXlsx)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportXls)->Unit(benchmark::kMillisecond);

} // namespace
