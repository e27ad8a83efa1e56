#pragma once
// Custom-drawn themed controls. TQZControl tracks the mouse, the focus and
// the pressed state and paints its face through its painter in the colours
// of its theme; TQZPanel is a gradient panel with an aligned caption. The
// push button TQZButton lives in QZ_BUTTON.h.
#include "QZ_GRAPHICS.h"

#include <QWidget>

class QImage;
class QPainter;
class TQZTheme;

class TQZControl : public QWidget {
    Q_OBJECT
public:
    explicit TQZControl(QWidget* parent = nullptr);

    // The theme the control paints with; not owned, may be empty.
    TQZTheme* Theme() const { return theme_; }
    void SetTheme(TQZTheme* theme);

    // Caption colour used when UseFontColor is set or there is no theme.
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color);
    bool UseFontColor() const { return useFontColor_; }
    void SetUseFontColor(bool value);

    // Background behind the control: the parent's while ParentColor is set.
    TColor Color() const;
    void SetColor(TColor color);  // also clears ParentColor
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool value);

    // The theme's border width, or 1 without a theme.
    int ThemeBorderWidth() const;

    bool MouseInside() const { return mouseInside_; }
    bool Pressed() const { return pressed_; }
    const TQZArtistic& Painter() const { return painter_; }

protected:
    // Set by subclasses: a static control does not take the focus on a click
    // and shows its face in the normal colours under the mouse, in the hot
    // ones (without selection band) otherwise.
    void SetStatic(bool value) { static_ = value; }

    // The face over the whole canvas, sized to the client area.
    virtual void PaintFace(QImage& canvas);
    // Caption and other content; the base chooses font and caption colour.
    virtual void PaintContent(QPainter& painter);

    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    TQZTheme* theme_ = nullptr;
    TColor fontColor_ = 0x000000;
    bool useFontColor_ = false;
    TColor color_;
    bool parentColor_ = true;
    bool static_ = false;
    bool mouseInside_ = false;
    bool pressed_ = false;
    bool painting_ = false;
    TQZArtistic painter_;
};

class TQZPanel : public TQZControl {
    Q_OBJECT
public:
    explicit TQZPanel(QWidget* parent = nullptr);

    TQZHorzAlign AlignHorz() const { return alignHorz_; }
    void SetAlignHorz(TQZHorzAlign value);
    TQZVertAlign AlignVert() const { return alignVert_; }
    void SetAlignVert(TQZVertAlign value);
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& value);

protected:
    void PaintContent(QPainter& painter) override;

private:
    TQZHorzAlign alignHorz_ = haCenter;
    TQZVertAlign alignVert_ = vaCenter;
    QString caption_;
};
