#include "QZ_BUTTON.h"

#include <QDialog>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

namespace {

constexpr TColor kDisabledCaptionColor = 0x808080;

bool IsEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }

// The glyph with every pixel of its corner colour made see-through.
QImage SeeThroughCorner(const QImage& glyph) {
    QImage out = glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb corner = out.pixel(0, 0);
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if (row[x] == corner)
                row[x] = qRgba(0, 0, 0, 0);
    }
    return out;
}

// The letter after a single "&" in a caption, or a null character.
QChar AcceleratorOf(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1];
        ++i;
    }
    return {};
}

}  // namespace

TQZButtonLayout PlaceButtonContent(TQZGlyphPos pos, QSize button, QSize text, QSize glyph, int b, bool hasCaption,
                                   bool pressed) {
    int tl = (button.width() - text.width()) / 2;
    int tt = (button.height() - text.height()) / 2;
    int gl = 0, gt = 0;
    const int gw = glyph.width(), gh = glyph.height();
    if (!glyph.isEmpty()) {
        switch (pos) {
        case gpLeft:
            gt = (button.height() - gh) / 2;
            gl = tl - gw / 2;
            tl += gw / 2;
            if (hasCaption) {
                gl -= b / 2 + b % 2;
                tl += b / 2;
            }
            break;
        case gpTop:
            gl = (button.width() - gw) / 2;
            gt = tt - gh / 2 - gh % 2;
            tt += gh / 2;
            if (hasCaption) {
                gt -= b / 2 + b % 2;
                tt += b / 2;
            }
            break;
        case gpRight:
            gt = (button.height() - gh) / 2;
            gl = tl + text.width() - gw / 2;
            tl -= gw / 2;
            if (hasCaption) {
                gl += b / 2 + b % 2;
                tl -= b / 2;
            }
            break;
        case gpBottom:
            gl = (button.width() - gw) / 2;
            gt = tt + text.height() - gh / 2;
            tt -= gh / 2;
            if (hasCaption) {
                gt += b / 2 + b % 2;
                tt -= b / 2;
            }
            break;
        }
    }
    const int push = pressed ? 1 : 0;
    return {QPoint(tl + push, tt + push), QPoint(gl + push, gt + push)};
}

TQZButton::TQZButton(QWidget* parent) : TQZControl(parent) {
    resize(75, 25);
    setFocusPolicy(Qt::StrongFocus);
}

void TQZButton::SetCaption(const QString& value) {
    caption_ = value;
    update();
}

void TQZButton::SetDefault(bool value) {
    default_ = value;
    update();
}

void TQZButton::SetGlyphPos(TQZGlyphPos value) {
    glyphPos_ = value;
    update();
}

void TQZButton::SetGlyph(const QImage& value) {
    glyph_ = value.copy();
    update();
}

void TQZButton::SetGlyphMask(TQZImageMask value) {
    glyphMask_ = value;
    update();
}

bool TQZButton::CanFocus() const { return isEnabled() && isVisibleTo(window()); }

void TQZButton::Click() {
    QDialog* dialog = parentWidget() ? qobject_cast<QDialog*>(window()) : nullptr;
    if (dialog)
        dialog->setResult(modalResult_);
    emit clicked();
    if (dialog && dialog->isModal() && dialog->isVisible() && dialog->result() != 0)
        dialog->done(dialog->result());
}

bool TQZButton::DialogKey(int key, Qt::KeyboardModifiers modifiers) {
    if (!CanFocus())
        return false;
    const bool plain = (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) == 0;
    if (plain && ((IsEnter(key) && hasFocus()) || (key == Qt::Key_Escape && cancel_))) {
        Click();
        return true;
    }
    if (default_ && IsEnter(key)) {
        Click();
        return true;
    }
    return false;
}

bool TQZButton::DialogChar(QChar character) {
    const QChar accelerator = AcceleratorOf(caption_);
    if (accelerator.isNull() || !isEnabled() || character.toUpper() != accelerator.toUpper())
        return false;
    Click();
    return true;
}

void TQZButton::keyPressEvent(QKeyEvent* event) {
    if (IsEnter(event->key())) {
        Click();
        update();
        return;
    }
    if (event->key() == Qt::Key_Space)
        return;
    TQZControl::keyPressEvent(event);
}

void TQZButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        update();
        Click();
        return;
    }
    TQZControl::keyReleaseEvent(event);
}

void TQZButton::mouseReleaseEvent(QMouseEvent* event) {
    const bool clicked = Pressed() && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    TQZControl::mouseReleaseEvent(event);
    if (clicked)
        Click();
}

void TQZButton::PaintContent(QPainter& painter) {
    QImage glyph = glyph_;
    const TQZPaintState state = !isEnabled()    ? stDisabled
                                : Pressed()     ? stDown
                                : MouseInside() ? stHot
                                : hasFocus()    ? stFocus
                                                : stNormal;
    if (state == stNormal || state == stDisabled)
        ApplyImageMask(glyphMask_, glyph);

    TQZControl::PaintContent(painter);
    if (!isEnabled())
        painter.setPen(ToQColor(kDisabledCaptionColor));

    const int flags = Qt::TextSingleLine | Qt::TextShowMnemonic;
    const QSize text = QFontMetrics(painter.font()).size(flags, caption_);
    const TQZButtonLayout layout = PlaceButtonContent(glyphPos_, size(), text, glyph.size(), ThemeBorderWidth(),
                                                      !caption_.isEmpty(), state == stDown);
    if (!caption_.isEmpty())
        painter.drawText(QRect(layout.Text, text), flags | Qt::AlignCenter | Qt::TextDontClip, caption_);
    if (!glyph.isNull())
        painter.drawImage(layout.Glyph, SeeThroughCorner(glyph));
}

bool SendDialogKey(QWidget* window, const QKeyEvent& event) {
    const QList<TQZButton*> buttons = window->findChildren<TQZButton*>();
    for (TQZButton* button : buttons)
        if (button->DialogKey(event.key(), event.modifiers()))
            return true;
    const QString text = event.text();
    if (text.size() != 1 || !text[0].isPrint())
        return false;
    for (TQZButton* button : buttons)
        if (button->DialogChar(text[0]))
            return true;
    return false;
}
