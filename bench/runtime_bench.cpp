// Nanoseconds per call of the runtime functions the grid calls on every cell it validates or
// formats. Run by hand: runtime_bench [calls]
#include <Vantrel3/mdlGrid.h>
#include <Vantrel3/vbruntime.h>

#include <QDateTime>
#include <QString>
#include <QVariant>

#include <chrono>
#include <cstdio>
#include <cstdlib>

using namespace Vantrel3;

namespace {

// Keeps results alive so the optimiser cannot drop the calls.
volatile std::size_t g_sink = 0;

template <typename Call>
void measure(const char *name, long calls, Call call) {
    for (long i = 0; i < calls / 100; ++i) {
        call(); // warm caches
    }
    const auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < calls; ++i) {
        call();
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    const double ns = std::chrono::duration<double, std::nano>(elapsed).count() / double(calls);
    std::printf("%-52s %9.1f ns/call\n", name, ns);
}

} // namespace

int main(int argc, char **argv) {
    const long calls = argc > 1 ? std::atol(argv[1]) : 1000000;
    vb::setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    std::printf("%ld calls each, runtime locale %s\n", calls, qPrintable(vb::locale().name()));

    const QVariant number(1234.5);
    const QString numberFormat = QStringLiteral("#,##0.00");
    measure("Format(1234.5, \"#,##0.00\")", calls,
            [&] { g_sink = g_sink + std::size_t(vb::Format(number, numberFormat).size()); });

    const QVariant numericText(QStringLiteral("1234,5"));
    measure("Format(\"1234,5\", \"#,##0.00\")", calls,
            [&] { g_sink = g_sink + std::size_t(vb::Format(numericText, numberFormat).size()); });

    const QVariant date(QDateTime(QDate(1999, 5, 12), QTime(14, 35, 9)));
    const QString dateFormat = QStringLiteral("dd/mm/yyyy hh:nn");
    measure("Format(#1999-05-12 14:35:09#, \"dd/mm/yyyy hh:nn\")", calls,
            [&] { g_sink = g_sink + std::size_t(vb::Format(date, dateFormat).size()); });

    const QVariant dateText(QStringLiteral("12/05/1999"));
    measure("IsDate(\"12/05/1999\")", calls,
            [&] { g_sink = g_sink + std::size_t(vb::IsDate(dateText)); });

    const QVariant numberText(QStringLiteral("1.234,56"));
    measure("IsNumeric(\"1.234,56\")", calls,
            [&] { g_sink = g_sink + std::size_t(vb::IsNumeric(numberText)); });

    const QString taxCode = QStringLiteral("RSSMRA80A01H501U");
    measure("CheckCodiceFiscale(\"RSSMRA80A01H501U\")", calls,
            [&] { g_sink = g_sink + std::size_t(mdlGrid::CheckCodiceFiscale(taxCode)); });

    const QString vatNumber = QStringLiteral("12345678903");
    measure("CheckPartitaIva(\"12345678903\")", calls,
            [&] { g_sink = g_sink + std::size_t(mdlGrid::CheckPartitaIva(vatNumber)); });
    return g_sink == 0 ? 1 : 0;
}
