#include "GalleryWindow.h"

#include "EditBoxShelf.h"
#include "MessageBoxShelf.h"
#include "SchemeSampleRow.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel* Heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    font.setPixelSize(16);
    label->setFont(font);
    return label;
}

}  // namespace

GalleryWindow::GalleryWindow() {
    setWindowTitle(QStringLiteral("Quorvel - galeria do kit de interface"));
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xF7, 0xF7, 0xF7));
    setPalette(palette);
    setAutoFillBackground(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Heading(QStringLiteral("Esquemas de cores: painel de título e botões "
                                             "(retangulares | arredondados)"),
                              this));
    layout->addWidget(CreateSchemeTable());
    layout->addWidget(Heading(QStringLiteral("Caixas de mensagem"), this));
    layout->addWidget(new MessageBoxShelf(this));
    layout->addWidget(Heading(QStringLiteral("Caixas de edição e calendário"), this));
    layout->addWidget(new EditBoxShelf(this));
    layout->addStretch();
}

QWidget* GalleryWindow::CreateSchemeTable() {
    auto* table = new QWidget(this);
    auto* rows = new QVBoxLayout(table);
    rows->setSpacing(2);
    rows->setContentsMargins(0, 0, 0, 0);
    for (int scheme = 0; scheme < kSchemeCount; ++scheme)
        rows->addWidget(new SchemeSampleRow(static_cast<TQZThemeColors>(scheme), table));
    return table;
}
