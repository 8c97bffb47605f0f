// Finding a patient in a list of 10,000 as the clinician types: one filter pass of
// the patient list per key, with the table's sorting on, as the dialog has it.
#include "app/patientlistmodel.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

constexpr int kPatients = 10000;

std::vector<PatientListing> clinic() {
    const char* const last[] = {"M\xFCller",
                                "Smith",
                                "Novak",
                                "Garc\xED"
                                "a",
                                "Lee",
                                "Dubois",
                                "Jensen",
                                "Rossi",
                                "Kowalski",
                                "O'Brien",
                                "\xC5str\xF6m"};
    const char* const first[] = {"Anna", "J\xF6rg", "Zo\xEB", "Piotr", "Maria", "Chlo\xE9"};
    std::vector<PatientListing> all(kPatients);
    for (int i = 0; i < kPatients; ++i) {
        PatientListing& p = all[std::size_t(i)];
        p.lastName = std::string(last[i % 11]) + (i % 7 == 0 ? "-Hansen" : "");
        p.firstName = first[i % 6];
        p.patientId = "P-" + std::to_string(10000 + i);
        p.fileName = "P" + std::to_string(i) + ".TAV";
        p.folder = "clinic" + std::to_string(i % 10);
        p.testDate = "12/07/2026";
        p.modifiedTime = 1767323045 + i;
    }
    return all;
}

// Each iteration is one key typed: the next prefix of a name and an ID, then back.
void BM_FilterPerKey(benchmark::State& state) {
    PatientListModel model;
    PatientFilterProxy proxy;
    proxy.setSourceModel(&model);
    proxy.setSortRole(PatientListModel::kSortRole);
    proxy.sort(PatientListModel::LastName);
    model.append(clinic());
    const QStringList keys = {"m", "mu", "mul", "mull", "mulle", "muller", "muller a",
                              "p", "p-", "p-1", "p-12", "p-123", "p-1234", ""};
    int i = 0;
    for (auto _ : state) {
        proxy.setQuery(keys[i++ % keys.size()]);
        benchmark::DoNotOptimize(proxy.rowCount());
    }
}
BENCHMARK(BM_FilterPerKey)->Unit(benchmark::kMillisecond);

// The list filling: 10,000 rows added in batches of 256 to the sorted view.
void BM_FillSorted(benchmark::State& state) {
    const std::vector<PatientListing> all = clinic();
    for (auto _ : state) {
        PatientListModel model;
        PatientFilterProxy proxy;
        proxy.setSourceModel(&model);
        proxy.setSortRole(PatientListModel::kSortRole);
        proxy.sort(PatientListModel::LastName);
        for (std::size_t at = 0; at < all.size(); at += 256) {
            const std::size_t end = std::min(all.size(), at + 256);
            model.append(
                std::vector<PatientListing>(all.begin() + long(at), all.begin() + long(end)));
        }
        benchmark::DoNotOptimize(proxy.rowCount());
    }
}
BENCHMARK(BM_FillSorted)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
