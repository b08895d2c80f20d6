#include "demo_window.h"

#include <Vantrel3/PropertyPages.h>
#include <Vantrel3/Vantrel.h>
#include <Vantrel3/vbruntime.h>

#include <QMenuBar>
#include <QStatusBar>

using namespace Vantrel3;

namespace {

enum Column { Cliente, Nascita, Importo, Citta, ColumnCount };

struct Sample {
    const char *cliente;
    const char *nascita;
    const char *importo;
    const char *citta;
};

constexpr Sample kSamples[] = {
    {"Mario Rossi", "12/05/1969", "1250,50", "Roma"},
    {"Giulia Bianchi", "03/11/1982", "980,00", "Milano"},
    {"Luca Verdi", "27/01/1975", "15,75", "Rovigo"},
    {"Anna Esposito", "09/09/1990", "4300,00", "Napoli"},
    {"Paolo Ricci", "18/02/1958", "72,10", "Torino"},
};

const char *const kCities[] = {"Milano", "Napoli", "Roma", "Rovigo", "Torino", "Venezia"};

} // namespace

DemoWindow::DemoWindow(QWidget *parent) : QMainWindow(parent), m_grid(new Vantrel(this)) {
    // The demo's users are Italian, whatever the machine's locale.
    vb::setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    setWindowTitle(QStringLiteral("Vantrel3 - Clienti"));
    setCentralWidget(m_grid);
    QMenu *tools = menuBar()->addMenu(QStringLiteral("&Strumenti"));
    tools->addAction(QStringLiteral("&Proprietà della griglia..."), this,
                     [this] { ShowPropertyPages({m_grid}, this); });
    QMenu *help = menuBar()->addMenu(QStringLiteral("&?"));
    help->addAction(QStringLiteral("&Informazioni su Vantrel3..."), this,
                    [this] { m_grid->InfoBox(); });
    statusBar()->showMessage(QStringLiteral("Scrivere nelle celle; F7 apre il selettore"));

    m_grid->SetCols(ColumnCount);
    m_grid->SetRows(int(std::size(kSamples)) + 1);
    m_grid->SetColWidth(Cliente, 2400);
    m_grid->SetColWidth(Nascita, 1500);
    m_grid->SetColWidth(Importo, 1500);
    m_grid->SetColWidth(Citta, 1800);

    // Headers first: a text written into a styled column is formatted with the column's style.
    const QString headers[] = {QStringLiteral("Cliente"), QStringLiteral("Nascita"),
                               QStringLiteral("Importo"), QStringLiteral("Città")};
    for (int c = 0; c < ColumnCount; ++c) {
        m_grid->SetTextMatrix(0, c, headers[c]);
    }

    m_grid->ColEditMode(Cliente, 40, NoButton, AlphaNumeric, ProperCase);
    m_grid->ColEditMode(Nascita, 10, ButtonStyleDrop, Date);
    m_grid->ColEditMode(Importo, 12, ButtonStyleDrop, Numeric, NoCase, QStringLiteral("#,##0.00"));
    m_grid->ColEditMode(Citta, 30, NoButton, AlphaNumeric, UpperCase);

    fillSampleRows();
    m_grid->SetRow(1);
    m_grid->SetCol(Cliente);
}

void DemoWindow::fillSampleRows() {
    int row = 1;
    for (const Sample &s : kSamples) {
        m_grid->SetTextMatrix(row, Cliente, QString::fromUtf8(s.cliente));
        m_grid->SetTextMatrix(row, Nascita, QString::fromUtf8(s.nascita));
        m_grid->SetTextMatrix(row, Importo, QString::fromUtf8(s.importo));
        m_grid->SetTextMatrix(row, Citta, QString::fromUtf8(s.citta));
        m_grid->AddButton(Citta, row, ButtonStyleDrop);
        for (const char *city : kCities) {
            m_grid->AddLookUp(Citta, row, QString::fromUtf8(city));
        }
        ++row;
    }
}
