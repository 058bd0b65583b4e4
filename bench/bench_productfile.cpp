// Times the product file operations on a full file of 9999 products, as the
// registration screen runs them. Run by hand: ./bench/bench_productfile [runs]

#include "store/cp932.h"
#include "store/productfile.h"
#include "tests/support/sampleproduct.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

store::ProductRecord product(int number)
{
    return testsupport::sampleProduct(QString::number(number).rightJustified(4, u'0'),
                                      QStringLiteral("品名:特製ざるそば%1号").arg(number));
}

double medianMs(int runs, const std::function<void()> &before, const std::function<void()> &operation)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        before();
        QElapsedTimer timer;
        timer.start();
        operation();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void require(bool ok, const char *what)
{
    if (!ok) {
        std::fprintf(stderr, "bench_productfile: %s failed\n", what);
        std::exit(1);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    QTemporaryDir dir;
    require(dir.isValid(), "temporary folder");
    const store::ProductFile file(store::productFilePaths(dir.path()));

    QByteArray content = store::toCp932(store::productFileHeader()) + "\r\n";
    for (int n = 1; n <= 9999; ++n)
        content += store::toCp932(product(n).recordText()) + "\r\n";
    QFile out(file.paths().product);
    require(out.open(QIODevice::WriteOnly) && out.write(content) == content.size(), "writing the file");
    out.close();

    const auto nothing = [] {};
    const store::ProductRecord middle = product(5000);
    const double overwrite = medianMs(runs, nothing, [&] { require(file.saveRecord(middle).ok, "overwrite"); });
    const double remove = medianMs(
        runs, [&] { require(file.saveRecord(middle).ok, "re-insert"); },
        [&] { require(file.deleteRecord(u"5000").removed == 1, "delete"); });
    const double insert = medianMs(
        runs, [&] { require(file.deleteRecord(u"5000").ok, "delete before insert"); },
        [&] { require(file.saveRecord(middle).state == store::SaveState::Inserted, "insert"); });
    int listed = 0;
    const double list = medianMs(runs, nothing, [&] { listed = static_cast<int>(file.listEntries().entries.size()); });
    require(listed == 9999, "listing");
    const double find = medianMs(runs, nothing, [&] { require(file.findRecord(u"9998").recordText.has_value(), "find"); });

    std::printf("product file: 9999 products, %.1f MB, median of %d runs\n", content.size() / 1e6, runs);
    std::printf("  save, overwrite middle  %8.2f ms\n", overwrite);
    std::printf("  save, insert middle     %8.2f ms\n", insert);
    std::printf("  delete middle           %8.2f ms\n", remove);
    std::printf("  listEntries             %8.2f ms\n", list);
    std::printf("  findRecord near the end %8.2f ms\n", find);
    return 0;
}
