// Runs the benchmarks and prints one table: each operation with Dorv's time, the time of the
// same work done with raw SQLite in the same run, and their ratio. Benchmarks come in pairs
// named "<operation>/Dorv" and "<operation>/Raw"; an operation without a baseline shows
// only its own time.
#include <QApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

class TableReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const std::string name = run.benchmark_name();
            const auto slash = name.find('/');
            const std::string op = name.substr(0, slash);
            const std::string side = slash == std::string::npos ? "Dorv" : name.substr(slash + 1, name.find('/', slash + 1) - slash - 1);
            const double ms = run.GetAdjustedRealTime() * 1e3 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            if (side == "Raw")
                times[op].second = ms;
            else
                times[op].first = ms;
            if (std::find(order.begin(), order.end(), op) == order.end())
                order.push_back(op);
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n| operation | Dorv (ms) | raw SQLite (ms) | ratio |\n|---|---:|---:|---:|\n");
        for (const std::string &op : order) {
            const auto [dorv, raw] = times[op];
            if (raw > 0)
                std::printf("| %s | %.1f | %.1f | %.2f |\n", op.c_str(), dorv, raw, dorv / raw);
            else
                std::printf("| %s | %.1f | – | – |\n", op.c_str(), dorv);
        }
    }

private:
    std::map<std::string, std::pair<double, double>> times;
    std::vector<std::string> order;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
