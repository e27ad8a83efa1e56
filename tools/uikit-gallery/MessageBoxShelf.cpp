#include "MessageBoxShelf.h"

#include "QZ_BUTTON.h"
#include "QZ_DIALOG.h"
#include "QZ_DIALOG_FORM.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace {

constexpr int kPictureWidth = 250;

struct BoxSample {
    TDialogBoxKind kind;
    const char* title;
    const char* text;
};

const BoxSample kSamples[] = {
    {dbkInfo, "Informação", "Configuração salva com sucesso."},
    {dbkQuestion, "Excluir terminal", "Deseja remover este terminal?"},
    {dbkWarning, "Aviso", "O terminal não respondeu."},
    {dbkError, "Erro", "Selecione o microterminal!"},
    {dbkWarningQuestion, "Atenção", "Sair sem salvar?"},
};

QPixmap PictureOf(const BoxSample& sample) {
    TFrmDialog form;
    form.Prepare(sample.kind, QString::fromUtf8(sample.title), QString::fromUtf8(sample.text));
    form.setAttribute(Qt::WA_DontShowOnScreen);
    form.show();
    const QPixmap picture = form.grab();
    form.hide();
    return picture.scaledToWidth(kPictureWidth, Qt::SmoothTransformation);
}

}  // namespace

MessageBoxShelf::MessageBoxShelf(QWidget* parent) : QWidget(parent) {
    buttonTheme_.NoRead = true;
    buttonTheme_.SetThemeColors(tcPreto);
    buttonTheme_.RoundedButtons = true;
    auto* row = new QHBoxLayout(this);
    for (const BoxSample& sample : kSamples) {
        auto* column = new QVBoxLayout;
        auto* picture = new QLabel(this);
        picture->setPixmap(PictureOf(sample));
        auto* open = new TQZButton(this);
        open->setFixedSize(kPictureWidth, 28);
        open->SetTheme(&buttonTheme_);
        open->SetCaption(QStringLiteral("Abrir: ") + QString::fromUtf8(sample.title));
        connect(open, &TQZButton::clicked, this, [sample] { DialogBox(sample.kind, sample.title, sample.text); });
        column->addWidget(picture);
        column->addWidget(open);
        row->addLayout(column);
    }
    row->addStretch();
}
