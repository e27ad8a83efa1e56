#include "QZ_CONTROLS.h"

#include "QZ_THEME.h"

#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

TQZControl::TQZControl(QWidget* parent) : QWidget(parent), color_(FromQColor(palette().color(QPalette::Window))) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TQZControl::SetTheme(TQZTheme* theme) {
    theme_ = theme;
    update();
}

void TQZControl::SetFontColor(TColor color) {
    fontColor_ = color;
    update();
}

void TQZControl::SetUseFontColor(bool value) {
    useFontColor_ = value;
    update();
}

TColor TQZControl::Color() const {
    if (parentColor_ && parentWidget()) {
        const QWidget* parent = parentWidget();
        if (const auto* control = qobject_cast<const TQZControl*>(parent))
            return control->Color();
        return FromQColor(parent->palette().color(parent->backgroundRole()));
    }
    return color_;
}

void TQZControl::SetColor(TColor color) {
    color_ = color;
    parentColor_ = false;
    update();
}

void TQZControl::SetParentColor(bool value) {
    parentColor_ = value;
    update();
}

int TQZControl::ThemeBorderWidth() const { return theme_ ? theme_->BorderWidth() : 1; }

void TQZControl::PaintFace(QImage& canvas) {
    if (!theme_) {
        QPainter painter(&canvas);
        painter.setPen(Qt::black);
        painter.setBrush(ToQColor(Color()));
        painter.drawRect(canvas.rect().adjusted(0, 0, -1, -1));
        return;
    }
    if (static_) {
        painter_.PaintRect(canvas, mouseInside_ ? stNormal : stHotPlain);
        return;
    }
    const TQZPaintState state = pressed_ ? stDown : mouseInside_ ? stHot : hasFocus() ? stFocus : stNormal;
    if (theme_->RoundedButtons)
        painter_.PaintRounded(canvas, state, Color());
    else
        painter_.PaintRect(canvas, state);
}

void TQZControl::PaintContent(QPainter& painter) {
    painter.setFont(font());
    TColor color = fontColor_;
    if (!useFontColor_ && theme_)
        color = theme_->UseContrastFont ? theme_->ObjectColors.ObjFontContrastColor : theme_->ObjectColors.ObjFontColor;
    painter.setPen(ToQColor(color));
}

void TQZControl::paintEvent(QPaintEvent*) {
    if (painting_)
        return;
    painting_ = true;
    if (theme_)
        theme_->AssignToArtistic(painter_);
    QImage canvas(size(), QImage::Format_RGB32);
    canvas.fill(ToQColor(Color()));
    PaintFace(canvas);
    {
        QPainter content(&canvas);
        PaintContent(content);
    }
    QPainter(this).drawImage(0, 0, canvas);
    painting_ = false;
}

void TQZControl::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    mouseInside_ = true;
    update();
}

void TQZControl::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    mouseInside_ = false;
    update();
}

void TQZControl::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    mouseInside_ = true;
}

void TQZControl::mousePressEvent(QMouseEvent* event) {
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    if ((focusPolicy() & Qt::TabFocus) && !static_)
        setFocus(Qt::MouseFocusReason);
    pressed_ = true;
    update();
}

void TQZControl::mouseReleaseEvent(QMouseEvent* event) {
    QWidget::mouseReleaseEvent(event);
    pressed_ = false;
    update();
}

void TQZControl::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void TQZControl::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void TQZControl::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange)
        update();
}

bool TQZControl::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QZM_THEMECHANGED)
        update();
    return handled;
}

TQZPanel::TQZPanel(QWidget* parent) : TQZControl(parent) {
    SetStatic(true);
    resize(100, 40);
}

void TQZPanel::SetAlignHorz(TQZHorzAlign value) {
    alignHorz_ = value;
    update();
}

void TQZPanel::SetAlignVert(TQZVertAlign value) {
    alignVert_ = value;
    update();
}

void TQZPanel::SetCaption(const QString& value) {
    caption_ = value;
    update();
}

void TQZPanel::PaintContent(QPainter& painter) {
    TQZControl::PaintContent(painter);
    DrawAlignedText(painter, rect(), alignHorz_, alignVert_, ThemeBorderWidth(), caption_);
}
