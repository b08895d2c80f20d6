#include "demo_window.h"

#include "demo_database.h"
#include "last_column_filler.h"

#include <Vantrel3/PropertyPages.h>
#include <Vantrel3/Vantrel.h>
#include <Vantrel3/vbruntime.h>

#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QUndoStack>

using namespace Vantrel3;

namespace {

enum Column {
    Nome,
    CodiceFiscaleCol,
    PartitaIvaCol,
    Nascita,
    Importo,
    Citta,
    Provincia,
    ColumnCount
};

const char *const kCities[] = {"Milano", "Napoli", "Roma", "Rovigo", "Torino", "Venezia"};

// The table stores a province's code; the user reads and picks its name.
struct Province {
    const char *code;
    const char *name;
};
constexpr Province kProvinces[] = {
    {"BO", "Bologna"}, {"FI", "Firenze"}, {"MI", "Milano"}, {"NA", "Napoli"},  {"PA", "Palermo"},
    {"RM", "Roma"},    {"RO", "Rovigo"},  {"TO", "Torino"}, {"VE", "Venezia"},
};

// Lookup items are registered per cell; rows added later get them when they are added.
constexpr int kLookupRows = 200;
// How long a validation message stays on the status bar.
constexpr int kMessageMs = 8000;

} // namespace

DemoWindow::DemoWindow(const QString &databasePath, QWidget *parent)
    : QMainWindow(parent), m_grid(new Vantrel(this)), m_hint(new QLabel(this)) {
    // The demo's users are Italian, whatever the machine's locale.
    vb::setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    setWindowTitle(QStringLiteral("Vantrel3 - Clienti"));
    setCentralWidget(m_grid);
    m_hint->setObjectName(QStringLiteral("hint"));
    statusBar()->addWidget(m_hint, 1);

    // Undo and redo from the menu too; the keys work in the grid whatever the menu holds.
    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Modifica"));
    QAction *undo = m_grid->UndoStack()->createUndoAction(this, QStringLiteral("&Annulla"));
    undo->setShortcut(QKeySequence::Undo);
    edit->addAction(undo);
    QAction *redo = m_grid->UndoStack()->createRedoAction(this, QStringLiteral("&Ripeti"));
    redo->setShortcut(QKeySequence::Redo);
    edit->addAction(redo);
    QMenu *tools = menuBar()->addMenu(QStringLiteral("&Strumenti"));
    tools->addAction(QStringLiteral("&Proprietà della griglia..."), this,
                     [this] { ShowPropertyPages({m_grid}, this); });
    QMenu *help = menuBar()->addMenu(QStringLiteral("&?"));
    help->addAction(QStringLiteral("&Informazioni su Vantrel3..."), this,
                    [this] { m_grid->InfoBox(); });

    // Enter moves on to the next cell, as in a spreadsheet.
    m_grid->SetEnterAsKeyTab(true);
    // A cell showing "Err" says why on the status bar, as its tooltip does.
    connect(m_grid, &Vantrel::ValidationFailed, this,
            [this](qint32, qint32, const QString &message) {
                statusBar()->showMessage(message, kMessageMs);
            });
    m_grid->SetColWidth(0, 1800);
    m_grid->ColEditMode(Nome, 40, NoButton, AlphaNumeric, ProperCase);
    m_grid->ColEditMode(CodiceFiscaleCol, 16, NoButton, CodiceFiscale, UpperCase);
    m_grid->ColEditMode(PartitaIvaCol, 11, NoButton, PartitaIva);
    m_grid->ColEditMode(Nascita, 10, ButtonStyleDrop, Date);
    m_grid->ColEditMode(Importo, 12, ButtonStyleDrop, Decimal, NoCase, QStringLiteral("#,##0.00"));
    m_grid->ColEditMode(Citta, 30, ButtonStyleDrop, AlphaNumeric, UpperCase);
    m_grid->ColEditMode(Provincia, 30, ButtonStyleDrop, AlphaNumeric);
    // Before the table opens, so that its codes read as names from the start.
    for (int row = 1; row <= kLookupRows; ++row) {
        for (const char *city : kCities) {
            m_grid->AddLookUp(Citta, row, QString::fromUtf8(city));
        }
        for (const Province &p : kProvinces) {
            m_grid->AddLookUpItem(Provincia, row, QString::fromLatin1(p.code),
                                  QString::fromUtf8(p.name));
        }
    }

    QString error;
    if (!DemoDatabase::ensure(databasePath, &error)) {
        setHint(QStringLiteral("Database non disponibile: ") + error);
        return;
    }
    // The data source opens the table; both grids fill themselves from it.
    // A database that does not open is told by the control itself, in a message.
    m_grid->SetRecordSource(QStringLiteral("clienti"));
    m_grid->SetDatabaseName(databasePath);
    const int widths[] = {2200, 2300, 1500, 1400, 1400, 1500, 1500};
    for (int c = 0; c < ColumnCount && c < m_grid->Cols(); ++c) {
        m_grid->SetColWidth(c, widths[c]);
    }
    // The province column takes the rest of the window's width.
    (new LastColumnFiller(m_grid, widths[Provincia]))->fill();
    setHint(QStringLiteral("Database: ") + databasePath +
            QStringLiteral(" - F7 apre il calendario, la calcolatrice o l'elenco; Ctrl+Z annulla, "
                           "Ctrl+V incolla un blocco di celle"));
}

QString DemoWindow::hint() const {
    return m_hint->text();
}

void DemoWindow::setHint(const QString &text) {
    m_hint->setText(text);
}
