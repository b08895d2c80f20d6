#include "about/about_content.h"

#include "about/text_scroller.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>

namespace Vantrel3::about {

QString ProductTitle() {
    return QStringLiteral("Vantrel3 " VANTREL3_VERSION_STRING);
}

QStringList ScrollerLines() {
    return {
        QString(),
        ProductTitle(),
        QStringLiteral("Gli sviluppatori di Vantrel3"),
        QStringLiteral("vantrel3@example.org"),
        QStringLiteral("*********"),
        QStringLiteral("Il Controllo è In Beta Test"),
        QStringLiteral("Vi Invito a Segnalarmi"),
        QStringLiteral("Eventuali Errori :("),
        QStringLiteral("*********"),
        QStringLiteral("Il Controllo è Free"),
        QStringLiteral("Il Che Ne Aumenta Il Valore :)"),
        QStringLiteral("Ciao Ciao Ciao"),
        QStringLiteral("e"),
        QStringLiteral("!!!BUON LAVORO!!!"),
    };
}

QPixmap Picture() {
    constexpr int cell = 10;
    constexpr int cols = 4;
    constexpr int rows = 4;
    QPixmap picture(cols * cell + 1, rows * cell + 1);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    // The fixed row and column, then the current cell with its editor caret.
    painter.fillRect(0, 0, cols * cell, cell, QColor(0, 0, 128));
    painter.fillRect(0, 0, cell, rows * cell, QColor(0, 0, 128));
    painter.fillRect(2 * cell + 1, 2 * cell + 1, cell - 1, cell - 1, QColor(255, 255, 192));
    painter.setPen(QColor(128, 128, 128));
    for (int i = 0; i <= cols; ++i) {
        painter.drawLine(i * cell, 0, i * cell, rows * cell);
    }
    for (int i = 0; i <= rows; ++i) {
        painter.drawLine(0, i * cell, cols * cell, i * cell);
    }
    painter.setPen(QColor(192, 0, 0));
    painter.drawLine(2 * cell + 3, 2 * cell + 2, 2 * cell + 3, 3 * cell - 2);
    painter.end();
    return picture.scaled(picture.size() * 2);
}

Parts Build(QWidget *host) {
    Parts parts{new QLabel(ProductTitle(), host), new QLabel(host),
                new TextScroller(ScrollerLines(), host)};
    parts.Label1->setObjectName(QStringLiteral("Label1"));
    QFont titleFont(QStringLiteral("Times New Roman"));
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    parts.Label1->setFont(titleFont);
    QPalette palette = parts.Label1->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    parts.Label1->setPalette(palette);
    parts.Label1->setAlignment(Qt::AlignCenter);

    parts.Image1->setObjectName(QStringLiteral("Image1"));
    parts.Image1->setPixmap(Picture());
    parts.Image1->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *grid = new QGridLayout(host);
    grid->addWidget(parts.Image1, 0, 0, 2, 1);
    grid->addWidget(parts.Label1, 0, 1);
    grid->addWidget(parts.Picture1, 1, 1, Qt::AlignHCenter | Qt::AlignTop);
    // Spare room goes below and to the right, so the content keeps its designed place.
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(2, 1);
    return parts;
}

} // namespace Vantrel3::about
