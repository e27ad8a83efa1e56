#pragma once
// TQZButton: the themed push button, with a glyph beside its caption,
// Default and Cancel keys, an accelerator and a modal result that a click
// hands to its dialog.
#include "QZ_CONTROLS.h"

#include <QImage>

class QKeyEvent;

enum TQZGlyphPos : std::uint8_t { gpLeft, gpTop, gpRight, gpBottom };

// Where a button's caption and glyph stand.
struct TQZButtonLayout {
    QPoint Text;
    QPoint Glyph;
};

// Places caption and glyph on a button: both centred, the glyph beside the
// caption on the side `pos`, the pair pushed apart by the border width when
// there is a caption, and moved one pixel right and down when pressed.
TQZButtonLayout PlaceButtonContent(TQZGlyphPos pos, QSize button, QSize text, QSize glyph, int borderWidth,
                                   bool hasCaption, bool pressed);

class TQZButton : public TQZControl {
    Q_OBJECT
public:
    explicit TQZButton(QWidget* parent = nullptr);

    // "&" marks the accelerator letter.
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& value);

    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    bool Default() const { return default_; }
    void SetDefault(bool value);

    TQZGlyphPos GlyphPos() const { return glyphPos_; }
    void SetGlyphPos(TQZGlyphPos value);
    // A copy of the picture; its pixel (0, 0) is the see-through colour.
    const QImage& Glyph() const { return glyph_; }
    void SetGlyph(const QImage& value);
    TQZImageMask GlyphMask() const { return glyphMask_; }
    void SetGlyphMask(TQZImageMask value);

    // Handed to the dialog the button stands in when clicked (0 too).
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }

    // Sets the dialog's result to ModalResult, emits clicked() and then ends
    // a modal dialog whose result is not 0.
    void Click();

    // Enter on the focused button or Esc on a Cancel button, without Shift,
    // Ctrl or Alt, or Enter on a Default button: clicks and returns true.
    bool DialogKey(int key, Qt::KeyboardModifiers modifiers);
    // The accelerator letter of the caption on an enabled button: clicks and
    // returns true.
    bool DialogChar(QChar character);

    // Visible up to its window and enabled.
    bool CanFocus() const;

signals:
    void clicked();

protected:
    void PaintContent(QPainter& painter) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString caption_;
    bool cancel_ = false;
    bool default_ = false;
    TQZGlyphPos glyphPos_ = gpLeft;
    QImage glyph_;
    TQZImageMask glyphMask_ = 0;
    int modalResult_ = 0;
};

// Offers a key that reached a window to its buttons, depth first in child
// order: first as a dialog key, then, when it types a character, as an
// accelerator. True when a button took it.
bool SendDialogKey(QWidget* window, const QKeyEvent& event);
