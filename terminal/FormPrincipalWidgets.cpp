#include "FormPrincipalWidgets.h"

#include "QtWindows1252.h"

#include <QComboBox>
#include <QLabel>

QLabel* NewLabel(const char* cp1252Text, QWidget* parent) {
    auto* label = new QLabel(FromWindows1252(Windows1252Text(cp1252Text)), parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* NewWrappedText(const char* cp1252Text, QFont::Weight weight, QWidget* parent) {
    QLabel* label = NewLabel(cp1252Text, parent);
    label->setWordWrap(true);
    QFont font;  // only the weight: family and size come from the window
    font.setWeight(weight);
    label->setFont(font);
    return label;
}

QComboBox* NewPickList(std::span<const char* const> cp1252Entries, QWidget* parent) {
    auto* list = new QComboBox(parent);
    for (const char* entry : cp1252Entries)
        list->addItem(FromWindows1252(Windows1252Text(entry)));
    list->setCurrentIndex(-1);
    return list;
}
