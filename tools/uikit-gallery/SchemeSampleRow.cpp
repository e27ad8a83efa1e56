#include "SchemeSampleRow.h"

#include "QZ_BUTTON.h"
#include "QZ_CONTROLS.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>

namespace {

constexpr int kRowHeight = 34;
constexpr int kPanelWidth = 190;
constexpr int kButtonWidth = 84;
constexpr int kButtonHeight = 28;
constexpr int kGap = 6;
constexpr int kGroupGap = 22;

const char* const kSchemeNames[kSchemeCount] = {
    "Laranja",     "Azul",         "Roxo",       "Rosa",          "Vermelho",       "Verde",       "Preto",
    "Amarelo",     "Brasil",       "Preto Azul", "Preto Roxo",    "Preto Vermelho", "Preto Verde", "Preto Amarelo",
    "Office Blue", "Office Green", "Office Red", "Office Purple", "Office Orange",
};

enum class SampleState { Normal, Hot, Focused, Pressed, Disabled };
constexpr SampleState kStates[] = {SampleState::Normal, SampleState::Hot, SampleState::Focused, SampleState::Pressed,
                                   SampleState::Disabled};

// Only one control of a window can hold the focus, so the focused sample
// paints the focused face whatever the focus does.
class FocusedSampleButton : public TQZButton {
public:
    using TQZButton::TQZButton;

protected:
    void PaintFace(QImage& canvas) override {
        if (Theme() && Theme()->RoundedButtons)
            Painter().PaintRounded(canvas, stFocus, Color());
        else
            Painter().PaintRect(canvas, stFocus);
    }
};

void PutInState(TQZButton* button, SampleState state) {
    switch (state) {
    case SampleState::Hot: {
        QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
        QApplication::sendEvent(button, &enter);
        break;
    }
    case SampleState::Pressed: {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(button, &press);
        break;
    }
    case SampleState::Disabled: button->setEnabled(false); break;
    case SampleState::Normal:
    case SampleState::Focused: break;
    }
}

}  // namespace

const QStringList& SchemeSampleRow::StateNames() {
    static const QStringList names{"Normal", "Sob o mouse", "Com foco", "Pressionado", "Desabilitado"};
    return names;
}

SchemeSampleRow::SchemeSampleRow(TQZThemeColors scheme, QWidget* parent) : QWidget(parent) {
    for (TQZTheme* theme : {&rectangular_, &rounded_}) {
        theme->NoRead = true;
        theme->SetThemeColors(scheme);
    }
    rounded_.RoundedButtons = true;

    auto* title = new TQZPanel(this);
    title->setGeometry(0, (kRowHeight - 30) / 2, kPanelWidth, 30);
    title->SetTheme(&rectangular_);
    title->SetCaption(QString::fromLatin1(kSchemeNames[scheme]));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    const int groupWidth = 5 * (kButtonWidth + kGap);
    AddButtons(kPanelWidth + kGroupGap, false);
    AddButtons(kPanelWidth + 2 * kGroupGap + groupWidth, true);
    setFixedSize(kPanelWidth + 2 * kGroupGap + 2 * groupWidth, kRowHeight);
}

void SchemeSampleRow::AddButtons(int left, bool rounded) {
    for (int i = 0; i < 5; ++i) {
        const SampleState state = kStates[i];
        TQZButton* button = state == SampleState::Focused ? new FocusedSampleButton(this) : new TQZButton(this);
        button->setGeometry(left + i * (kButtonWidth + kGap), (kRowHeight - kButtonHeight) / 2, kButtonWidth,
                            kButtonHeight);
        button->SetTheme(rounded ? &rounded_ : &rectangular_);
        button->SetCaption(StateNames()[i]);
        button->setFocusPolicy(Qt::NoFocus);
        PutInState(button, state);
    }
}
