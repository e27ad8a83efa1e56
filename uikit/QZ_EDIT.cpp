#include "QZ_EDIT.h"

#include "QZ_FORM_POPUPEDIT.h"
#include "QtWindows1252.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <string_view>

namespace {

constexpr double kOneHour = 1.0 / 24;

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

TAuxButton::TAuxButton(QWidget* parent) : QPushButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setText("...");
    setFont(QFont("Arial", 10, QFont::Bold));
    QPalette colors = palette();
    colors.setColor(QPalette::ButtonText, Qt::black);
    setPalette(colors);
}

TQZControlEdit::TQZControlEdit(QWidget* parent) : QLineEdit(parent) {}

void TQZControlEdit::SetAlignment(TAlignment value) {
    alignment_ = value;
    const Qt::Alignment horizontal = value == taRightJustify ? Qt::AlignRight
                                     : value == taCenter     ? Qt::AlignHCenter
                                                             : Qt::AlignLeft;
    setAlignment(horizontal | Qt::AlignVCenter);
}

void TQZControlEdit::SetEditStyle(TQZEditStyles value) {
    if (value == editStyle_)
        return;
    editStyle_ = value;
    const TEditStyleFormats formats = DefaultFormats(value);
    SetEditFormat(formats.EditFormat);
    SetEditDisplay(formats.EditDisplay);
    if (value == esDate) {
        if (!auxButton_) {
            auxButton_ = new TAuxButton(this);
            connect(auxButton_, &QPushButton::clicked, this, &TQZControlEdit::OpenDatePopup);
        }
        auxButton_->show();
        PlaceAuxButton();
    } else if (auxButton_) {
        delete datePopup_;
        delete auxButton_;
        auxButton_ = nullptr;
        setTextMargins(0, 0, 0, 0);
    }
    update();
}

void TQZControlEdit::SetEditDisplay(const std::string& value) {
    editDisplay_ = value;
    update();
}

void TQZControlEdit::SetEditFormat(const std::string& value) {
    editFormat_ = value;
    const std::string mask = InputMaskFor(editStyle_, value);
    // While a mask is put aside (the box lost the focus once), the new one
    // takes its place there, so the next focus brings the mask of the
    // current format and style rather than an outdated one.
    const bool maskSetAside = !savedMask_.empty();
    if (maskSetAside)
        savedMask_ = mask;
    if (!maskSetAside || hasFocus())
        ApplyInputMask(mask);
    update();
}

void TQZControlEdit::SetValue(const TEditValue& value) {
    value_ = value;
    if (!SkipRefresh)
        SetText(FormatValue());
}

Windows1252Text TQZControlEdit::Text() const { return ToWindows1252(text()); }

void TQZControlEdit::SetText(const Windows1252Text& text) { setText(FromWindows1252(text)); }

bool TQZControlEdit::HasValue() const { return ::HasValue(editStyle_, value_); }

Windows1252Text TQZControlEdit::FormatValue() const {
    const bool focused = hasFocus();
    return Windows1252Text(::FormatValue(editStyle_, focused ? editFormat_ : editDisplay_, focused, value_));
}

TEditValue TQZControlEdit::TextToValue() const { return ::TextToValue(editStyle_, Text().Bytes()); }

std::int32_t TQZControlEdit::AsInteger() const { return ValueAsInteger(editStyle_, value_, Text().Bytes()); }

// A popup menu (the box's own context menu, a drop-down list) takes the
// keys only while it is open and hands them back to the box: the box keeps
// its focus, so the typed text, the value and the mask stay as they are.
void TQZControlEdit::focusInEvent(QFocusEvent* event) {
    if (event->reason() != Qt::PopupFocusReason) {
        if (!savedMask_.empty())
            ApplyInputMask(savedMask_);
        SetText(FormatValue());
    }
    QLineEdit::focusInEvent(event);
}

void TQZControlEdit::focusOutEvent(QFocusEvent* event) {
    if (event->reason() != Qt::PopupFocusReason) {
        SetValue(TextToValue());
        if (savedMask_.empty())
            savedMask_ = editMask_;
        ApplyInputMask({});
        SetText(FormatValue());
    }
    QLineEdit::focusOutEvent(event);
}

void TQZControlEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier) {
        if (auxButton_)
            auxButton_->click();
        return;
    }
    const QString typed = event->text();
    const bool character = typed.size() == 1 && typed[0].unicode() >= 0x20 &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!isReadOnly() && character) {
        const char key = typed[0].unicode() < 0x80 ? static_cast<char>(typed[0].unicode()) : '\0';
        if (HandleDateTimeKey(key))
            return;
        if (editStyle_ != esText && IsAsciiLetter(key))
            return;
    }
    QLineEdit::keyPressEvent(event);
}

bool TQZControlEdit::HandleDateTimeKey(char key) {
    if ((editStyle_ != esDate && editStyle_ != esTime) || std::string_view("Tt+-").find(key) == std::string_view::npos)
        return false;
    const int cursor = cursorPosition();
    const int selectedFrom = selectionStart();
    const int selectedLength = static_cast<int>(selectedText().size());

    const std::optional<TDateTime> current = HasValue() ? ValueToDateTime(value_) : std::nullopt;
    const bool date = editStyle_ == esDate;
    const double step = (key == '-' ? -1 : 1) * (date ? 1.0 : kOneHour);
    TDateTime next;
    if (key == 'T' || key == 't')
        next = date ? quorvel::Today() : TDateTime{quorvel::TimeOfDayNow()};
    else if (current)
        next = {current->Days + step};
    else
        next = {(date ? quorvel::Today().Days : quorvel::TimeOfDayNow()) + step};
    value_ = next;
    SetText(FormatValue());

    if (selectedLength > 0)
        setSelection(selectedFrom, selectedLength);
    else
        setCursorPosition(cursor);
    return true;
}

void TQZControlEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    if (auxButton_)
        PlaceAuxButton();
}

void TQZControlEdit::ApplyInputMask(const std::string& mask) {
    editMask_ = mask;
    setInputMask(QString::fromStdString(QtInputMask(mask)));
}

void TQZControlEdit::PlaceAuxButton() {
    const int frame = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    const int side = std::max(0, height() - 2 * frame);
    auxButton_->setGeometry(width() - frame - side, frame, side, side);
    setTextMargins(0, 0, side - 1, 0);
    auxButton_->update();
}

void TQZControlEdit::OpenDatePopup() {
    if (isReadOnly() || editStyle_ != esDate)
        return;
    delete datePopup_;  // one popup at a time; an open one closes when it loses the activation anyway
    const TDateTime start = HasValue() ? ValueToDateTime(value_).value_or(quorvel::Today()) : quorvel::Today();
    datePopup_ = new TFrmPopupEdit(this, start, theme_, [this](TDateTime date) { AcceptPopupDate(date); });
    datePopup_->move(
        PopupPosition(mapToGlobal(QPoint(0, 0)), size(), datePopup_->size(), screen()->geometry().height()));
    datePopup_->show();
    datePopup_->activateWindow();
}

void TQZControlEdit::AcceptPopupDate(TDateTime date) {
    SetValue(date);
    SetText(FormatValue());
}
