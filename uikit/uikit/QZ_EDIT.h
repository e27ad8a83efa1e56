#pragma once
// TQZControlEdit: a masked edit box that holds a typed value (text, date,
// time, money, percentage, number or integer). While it has the focus it
// shows the value in its editing format under an input mask; when it loses
// the focus it reads the text back into the value and shows the display
// format. A date box carries a "..." button that opens the date popup.
// TQZEdit (QZ_DBEDIT.h) ties the value to a field of a data set.
#include "EditFormat.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <string>

class TFrmPopupEdit;
class TQZTheme;

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

// The date box's "..." button: no tab stop, Arial 10 points bold, black.
// The box connects its click first, so the date popup opens under the box
// (QZ_FORM_POPUPEDIT.h) before anything else connected to the click runs.
class TAuxButton : public QPushButton {
public:
    explicit TAuxButton(QWidget* parent);
};

class TQZControlEdit : public QLineEdit {
public:
    explicit TQZControlEdit(QWidget* parent = nullptr);

    // Supplies the date popup's colours; not owned, may be empty.
    TQZTheme* Theme() const { return theme_; }
    void SetTheme(TQZTheme* theme) { theme_ = theme; }

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);

    // A new style installs its default formats and mask; esDate brings the
    // "..." button, any other style removes it and a popup that is open.
    TQZEditStyles EditStyle() const { return editStyle_; }
    void SetEditStyle(TQZEditStyles value);
    const std::string& EditDisplay() const { return editDisplay_; }
    void SetEditDisplay(const std::string& value);
    // Also derives the input mask (EditFormat.h: InputMaskFor).
    const std::string& EditFormat() const { return editFormat_; }
    void SetEditFormat(const std::string& value);

    // The input mask in force ("!99/99/9999;1; "), empty when there is none.
    const std::string& EditMask() const { return editMask_; }
    // The mask put aside while the box does not have the focus.
    const std::string& SavedMask() const { return savedMask_; }

    const TEditValue& Value() const { return value_; }
    // Stores the value and, unless SkipRefresh is set, shows FormatValue.
    void SetValue(const TEditValue& value);
    bool SkipRefresh = false;

    // The text as Windows-1252.
    Windows1252Text Text() const;
    void SetText(const Windows1252Text& text);

    bool HasValue() const;
    // The text for the value in the format of the current focus.
    Windows1252Text FormatValue() const;
    // The value the current text stands for; null when it does not read.
    TEditValue TextToValue() const;
    std::int32_t AsInteger() const;

    TAuxButton* AuxButton() const { return auxButton_; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ApplyInputMask(const std::string& mask);
    void PlaceAuxButton();
    // Opens the date popup under the box on the box's date (today without
    // one); a chosen date becomes the box's value.
    void OpenDatePopup();
    void AcceptPopupDate(TDateTime date);
    // T, + and - of date and time boxes; false for any other key.
    bool HandleDateTimeKey(char key);

    TQZTheme* theme_ = nullptr;
    TAlignment alignment_ = taLeftJustify;
    TQZEditStyles editStyle_ = esText;
    std::string editDisplay_;
    std::string editFormat_;
    std::string editMask_;
    std::string savedMask_;
    TEditValue value_;
    TAuxButton* auxButton_ = nullptr;
    QPointer<TFrmPopupEdit> datePopup_;
};
