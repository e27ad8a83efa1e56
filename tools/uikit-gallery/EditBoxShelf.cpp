#include "EditBoxShelf.h"

#include "QZ_EDIT.h"
#include "QZ_FORM_POPUPEDIT.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>

namespace {

constexpr int kBoxWidth = 180;

struct BoxSample {
    const char* name;
    TQZEditStyles style;
    TEditValue value;
};

std::vector<BoxSample> Samples() {
    return {
        {"Texto", esText, Windows1252Text("Mesa 12")},
        {"Data", esDate, EncodeDate(2026, 12, 25)},
        {"Hora", esTime, TDateTime{EncodeTime(10, 30, 0, 0)}},
        {"Moeda", esCurrency, 1234.5},
        {"Percentual", esPercent, 12.5},
        {"Número", esGeneralNumeric, 3.14159},
        {"Inteiro", esInteger, 42.0},
    };
}

}  // namespace

EditBoxShelf::EditBoxShelf(QWidget* parent) : QWidget(parent) {
    theme_.NoRead = true;
    theme_.SetThemeColors(tcAzul);
    auto* row = new QHBoxLayout(this);
    row->addWidget(CreateBoxes(), 0, Qt::AlignTop);
    row->addSpacing(24);
    row->addWidget(CreatePopupPicture(), 0, Qt::AlignTop);
    row->addStretch();
}

QWidget* EditBoxShelf::CreateBoxes() {
    auto* boxes = new QWidget(this);
    auto* form = new QFormLayout(boxes);
    form->setContentsMargins(0, 0, 0, 0);
    for (const BoxSample& sample : Samples()) {
        auto* box = new TQZControlEdit(boxes);
        box->setFixedWidth(kBoxWidth);
        box->SetTheme(&theme_);
        box->SetEditStyle(sample.style);
        const bool number = sample.style >= esCurrency;
        box->SetAlignment(number ? taRightJustify : taLeftJustify);
        box->SetValue(sample.value);
        form->addRow(QString::fromUtf8(sample.name), box);
        if (sample.style == esDate)
            dateBox_ = box;
    }
    return boxes;
}

QWidget* EditBoxShelf::CreatePopupPicture() {
    const TDateTime shown = ValueToDateTime(dateBox_->Value()).value_or(quorvel::Today());
    auto* popup = new TFrmPopupEdit(dateBox_, shown, dateBox_->Theme(), {});
    popup->setAttribute(Qt::WA_DontShowOnScreen);
    popup->show();
    auto* picture = new QLabel(this);
    picture->setPixmap(popup->grab());
    popup->close();
    return picture;
}
